// What the effect's Windows tests share: the effect module loaded through its path and its
// real exports, a stand-in player's windows (the main "WMPlayerApp" window and the child window
// it hands to the effect, whose messages go through OnWindowMessage as the player routes them),
// the player's frame loop, and the reference engine's journal of this test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NV_WMP/TimedLevel.h"
#include "NV_WMP/win/EffectInterfaces.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/RefEngineJournal.h"

namespace wmptest {

using refengine_journal::JournalEntry;
using Journal = std::vector<JournalEntry>;

// NV_WMP.dll beside the test program, loaded once for the test program.
HMODULE EffectModule();
std::wstring EffectModulePath();
// The module's exports.
HRESULT ModuleGetClassObject(REFCLSID clsid, REFIID iid, void** out);
HRESULT ModuleCanUnloadNow();
// regsvr32 of this process's width, silent, with the arguments (the module's path quoted by
// Quoted); its exit code (-1: it did not end, -2: it did not start).
long Regsvr32(const std::wstring& arguments);
std::wstring Quoted(const std::wstring& path);
// A new effect object through the class factory, as the player creates it; null on failure.
wmp::Effects* NewEffect();

// The player's windows: a top-level window of the player's main class and a child window for
// the effect, on the calling thread.
class PlayerWindows {
 public:
  explicit PlayerWindows(bool mainWindow = true, int width = 640, int height = 360);
  ~PlayerWindows();
  PlayerWindows(const PlayerWindows&) = delete;
  PlayerWindows& operator=(const PlayerWindows&) = delete;

  HWND Main() const { return mMain; }
  HWND EffectWindow() const { return mEffectWindow; }
  // The effect whose OnWindowMessage receives the effect window's messages (null: none).
  void RouteTo(wmp::Effects* effect);
  // Alt+Enter keystrokes the main window received (WM_SYSKEYDOWN with VK_RETURN).
  int FullscreenToggles() const;
  // How many pump messages were handled by the effect.
  int PumpMessagesHandled() const;

 private:
  HWND mMain = nullptr;
  HWND mEffectWindow = nullptr;
};

// Handles the calling thread's messages for about the time given.
void PumpMessages(DWORD milliseconds);

// Levels of known content: the waveform swings by `amplitude` around silence, the spectrum
// holds `band` in every bin.
wmp::TimedLevel Levels(int amplitude, uint8_t band = 100);

// The player's frame loop: `count` renderings with messages handled in between.
void RenderFrames(wmp::Effects* effect, int count, const wmp::TimedLevel& levels);

// The reference engine's journal file of one test: set up before the engine loads (the
// engine's environment variable), removed at the end.
class EngineJournal {
 public:
  EngineJournal();
  ~EngineJournal();
  Journal Read() const;

 private:
  std::wstring mPath;
};

// The tests that need the engine installed as the product: it is installed once for each suite,
// whose thread is in a single-threaded apartment as the player's, and taken away after it.
class InstalledEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

 private:
  static InstalledProduct* product_;
};

// Entries of one call (and request code) in the journal.
Journal Calls(const Journal& journal, const std::string& call, const std::string& code = {});

}  // namespace wmptest
