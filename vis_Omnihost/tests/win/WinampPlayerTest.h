// The fixture of the Winamp end-to-end tests: the reference engine installed as the product
// where a process of this width looks for it (removed again afterwards), stand-in players
// started from setups, and the steps most tests take with a running player.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "players/winamp/StandInCommand.h"
#include "testsupport/win/InstalledProduct.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"
#include "vis_Omnihost/tests/win/StandInPlayerRun.h"

using winamp_standin::StandInCommand;

// The reference engine's description, which the about box shows.
constexpr char kEngineDescription[] =
    "Glimmora reference engine: spectrum bars, waveform and track titles drawn with GDI.";
// Background colours of the reference engine's first two palettes, as 0xRRGGBB.
constexpr int64_t kFirstBackground = 0x0C1028;
constexpr int64_t kSecondBackground = 0x280818;

// A setup for the player of the folder and mode; Render every 20 ms unless `options` says
// otherwise.
PlayerSetup SetupFor(const wchar_t* folder, const char* mode,
                     const StandInCommand& options = StandInCommand());

// Waits until the engine draws into the plug-in's window: the window the player learned from 611
// is the engine's target. That window, or null. `earlier`: how many windows earlier Inits of the
// run made, which do not count.
HWND WaitForEngineWindow(const StandInPlayerRun& run, size_t earlier = 0);
// Waits until the engine has run a frame since it last took the window, so that what the
// window shows is the engine's picture; false when time ran out.
bool WaitForFrameIn(const StandInPlayerRun& run, HWND window);
// Journals the plug-in's window through the player's Probe command and returns that line.
refengine_journal::JournalEntry Probe(StandInPlayerRun& run);
// Exit: exit code 0 and every engine instance destroyed. (What the player did not expect fails
// the test when its run ends, StandInPlayerRun.h.)
void ExpectCleanExit(StandInPlayerRun& run);

class WinampPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Removes the installed engine (for the tests of a player without one).
  void RemoveEngine() { mProduct.reset(); }

 private:
  std::unique_ptr<InstalledProduct> mProduct;
};
