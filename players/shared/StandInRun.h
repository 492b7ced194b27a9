// The run of a stand-in player whose steps and window share one thread (QCD, XMPlay): the
// plug-in loaded, then each step in order with the window's messages dispatched after it, until
// the steps are done or the deadline passes; at the end the library unloaded if its module has
// ended, the Exit line journaled (reason, code), the journal closed and the window destroyed.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/Steps.h"

namespace standin {

struct StandInRun {
  HWND window = nullptr;  // no steps run without one
  ULONGLONG deadline = 0;
  // The exit code and reason when the window or the plug-in could not be had.
  int notLoadedCode = 0;
  const char* notLoadedReason = "";
  // Loads the plug-in and its module; false when they could not be had.
  std::function<bool()> load;
  std::function<void(const Step&)> runStep;
  // At the end: the library to unload, or null (none loaded, or its module still runs and
  // keeps code of the library in use).
  std::function<HMODULE()> libraryToUnload;
};

// Runs the player to its end; the exit code.
int RunStandIn(const StandInRun& run, const std::vector<Step>& steps);

}  // namespace standin
