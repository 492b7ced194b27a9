// A stand-in player's setup, read from the value text of its command line
// (utility/SettingsTable.h: statements `key = value`, texts in double quotes):
//   journal = "<path>"   the player's journal file, appended to (required)
//   plugin = "<path>"    the plug-in library; default Plugins\vis_Omnihost.dll beside the exe
//   maxMs = 20000        the player stops running steps after this many milliseconds
//   steps = "<steps>"    what the player does, in order (Steps.h), against its table of verbs
// and the integer settings the player names besides these.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "players/shared/Steps.h"

namespace standin {

struct StandInSetup {
  std::wstring journal;
  std::wstring plugin;
  int64_t maxMs = 20000;
  std::vector<Step> steps;
  std::map<std::string, int64_t> numbers;  // the player's own settings that were given

  // The player's own setting, or the fallback when it was not given.
  int64_t Number(const std::string& key, int64_t fallback) const {
    const auto found = numbers.find(key);
    return found != numbers.end() ? found->second : fallback;
  }
  // The plug-in's path: the one given, or Plugins\vis_Omnihost.dll beside the program.
  std::wstring PluginPath() const;
};

// Plugins\vis_Omnihost.dll in the running program's folder (empty when the system does not
// say where the program is).
std::wstring DefaultPluginPath();

// False with a reason when a key is neither common nor one of the player's, the steps are
// malformed or the journal is missing.
bool ParseSetup(const std::string& valueText, std::span<const StepVerb> verbs,
                std::span<const char* const> numberKeys, StandInSetup* setup, std::string* error);

}  // namespace standin
