// Loading the plug-in library as a stand-in player does it: LoadLibrary on the plug-in's path,
// journaled as the LoadLibrary line (path, module, and the system's error when it failed) that
// every stand-in's tests read.
#pragma once

#include <windows.h>

#include <string>

#include "players/shared/StandInJournal.h"

namespace standin {

// The library, or null after journaling the system's error.
HMODULE LoadPluginJournaled(const std::wstring& path);

}  // namespace standin
