// The run of a stand-in player whose steps and window share one thread (QCD, XMPlay, iTunes,
// VirtualDJ): the plug-in loaded, then each step in order with the window's messages dispatched
// after it, until the steps are done or the deadline passes; at the end the library unloaded if
// the player says so, the Exit line journaled (reason, code), the journal closed and the window
// destroyed (unless a step destroyed it already).
#pragma once

#include <windows.h>

#include <vector>

#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/Steps.h"

namespace standin {

// What the run asks of the player.
class SteppedPlayer {
 public:
  // Loads the plug-in and its module; false when they could not be had.
  virtual bool LoadPlugin() = 0;
  virtual void RunStep(const Step& step) = 0;
  // At the end: the library to unload, or null (none loaded, or its module still runs and
  // keeps code of the library in use).
  virtual HMODULE LibraryToUnload() = 0;

 protected:
  ~SteppedPlayer() = default;
};

struct StandInRun {
  HWND window = nullptr;  // no steps run without one
  ULONGLONG deadline = 0;
  // The exit code and reason when the window or the plug-in could not be had.
  int notLoadedCode = 0;
  const char* notLoadedReason = "";
};

// Runs the player to its end; the exit code.
int RunStandIn(SteppedPlayer& player, const StandInRun& run, const std::vector<Step>& steps);

}  // namespace standin
