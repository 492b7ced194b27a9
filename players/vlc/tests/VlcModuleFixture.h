// What the tests of the built VLC module share: the module loaded from the test program's
// folder through its real exports (its libvlccore.dll is the stand-in core beside it), the
// descriptor as VLC's module bank keeps it, a playlist with one audio output as VLC makes
// them, filters opened on it, blocks of audio, and the logs to assert on: the stand-in's VLC
// log, the reference engine's journal and the module's debug output.
//
// The module's session thread lives for the rest of the process, as in VLC: every test leaves
// the session ended and its filters closed, and the fixture checks that nothing is left.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "players/vlc/ModuleBank.h"
#include "players/vlc/StandInCore.h"
#include "testsupport/win/DebugOutput.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/RefEngineJournal.h"
#include "testsupport/win/ReferenceEngine.h"

constexpr char kSessionWindowClass[] = "Novalume Glimmora VLC";

// The stand-in's VLC log, "<priority> <function>: <text>" per line.
std::vector<std::string> StandInLog();
bool StandInLogHas(const std::string& text);

// The product installed once for the test program (removed when its tests are over).
InstalledProduct& ModuleProduct();

// Interleaved float frames with a presentation time, as VLC hands them to DoWork.
struct AudioBlock {
  AudioBlock(int32_t channels, int32_t frames, float value);
  std::vector<float> samples;
  block_t block{};
};

class VlcModuleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A filter of the audio output (or of another parent) with the input's format.
  filter_t* NewFilter(vlc_object_t* parent = nullptr, unsigned rate = 48000,
                      uint32_t channels = AOUT_CHANS_5_1);
  // A new filter, opened; the test fails when Open refuses it.
  filter_t* OpenFilter(vlc_object_t* parent = nullptr, unsigned rate = 48000,
                       uint32_t channels = AOUT_CHANS_5_1);
  void Close(filter_t* filter);
  // The audio through the filter; DoWork must hand back the block it was given.
  void Feed(filter_t* filter, AudioBlock& audio);
  // The user turns the visualization off in VLC's menu: the next close ends the session.
  void Deselect(vlc_object_t* audioOutput = nullptr);
  // An input of the playlist, current from now on (video-es -1: audio only).
  vlc_object_t* MakeCurrentInput(const char* itemName, int64_t videoTrack = -1);

  // The reference engine's controls (the engine loaded from the product folder, as the module
  // loads it); null while the product is not installed.
  static const RefEngineControlApi* Control();
  static std::vector<refengine_journal::JournalEntry> Journal();
  static size_t Count(const char* call, const char* code = nullptr);

  static HMODULE sModule;
  static vlcstandin::ModuleDescriptor sDescriptor;  // as VLC's module bank keeps it
  vlc_object_t* playlist = nullptr;
  vlc_object_t* output = nullptr;
  // The module's own lines (those no filter was left to take).
  DebugOutput debugOutput;

 private:
  // Filters opened and not yet closed: a test that stops early leaves them to TearDown, which
  // turns the visualization off and closes them so that the next test starts without a session.
  std::vector<filter_t*> mOpenFilters;
};
