// The start of every stand-in player: the setup read from the command line, or, when it is
// malformed, an Unexpected line saying why (in the journal, if one was named) and the exit code
// for a bad setup.
#pragma once

#include <span>

#include "players/shared/StandInSetup.h"

namespace standin {

constexpr int kExitNormal = 0;
constexpr int kExitBadSetup = 1;

// True with the setup read; false after journaling why not.
bool ReadSetup(std::span<const StepVerb> verbs, std::span<const char* const> numberKeys,
               StandInSetup* setup);

}  // namespace standin
