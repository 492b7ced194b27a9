// Hosts that drive the reference engine in this process, with real windows and a real message
// loop, for the tests of drawing targets and frame pacing.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "testsupport/win/RefEngineJournal.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/host/VisualHost.h"

// A host whose pacing switches a test can set, and that notes on which thread the engine asked
// it for audio (the engine asks from inside RunFrame when the descriptor says HostAudio=1).
class PacedHost : public VisualHost {
 public:
  void SetTrackClientSize(bool on) { mTrackClientSize = on; }
  void SetUsePumpThread(bool on) { mUsePumpThread = on; }
  void SetPumpEnabled(bool on) { mPumpEnabled = on; }

  int32_t HandleGetS(AudioRequest* request) override;
  std::vector<DWORD> AudioRequestThreads() const;

 protected:
  ~PacedHost() override = default;

 private:
  mutable std::mutex mLock;
  std::vector<DWORD> mAudioRequestThreads;
};

// A top-level window of the test class whose messages go to the host set with SetWindowHost.
HWND CreateTestWindow(bool visible, int width, int height);
void SetWindowHost(HWND window, VisualHost* host);

// Dispatches this thread's messages until done() holds or limitMs have passed; the last
// answer of done().
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD limitMs = 5000);
// Dispatches this thread's messages for about that long.
void PumpMessagesFor(DWORD milliseconds);

// A running host on the reference engine: the engine is loaded and reset, the instance
// started with the descriptor the test chooses.
class ReferenceEngineTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Loads the engine, resets its controls and journal, and starts a host.
  void StartHost(const char* descriptor);
  HWND Window(bool visible = true, int width = 160, int height = 120);

  std::vector<refengine_journal::JournalEntry> Journal() const;
  std::vector<refengine_journal::JournalEntry> JournalOf(const std::string& call,
                                                         const std::string& code = {}) const;
  size_t Count(const std::string& call, const std::string& code = {}) const {
    return JournalOf(call, code).size();
  }

  EngineLibrary* library = nullptr;
  PacedHost* host = nullptr;
  const RefEngineControlApi* control = nullptr;
  std::vector<HWND> windows;
};
