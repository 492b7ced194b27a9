// One run of a stand-in player that runs a list of steps and ends by itself (the QCD, RealPlayer
// and XMPlay stand-ins of players/), with the plug-in of the build tree, in its own process.
// The test then reads the player's journal and the reference engine's.
#pragma once

#include <string>

#include "players/winamp/StandInCommand.h"
#include "testsupport/win/StandInProgram.h"
#include "vis_Omnihost/tests/win/StandInPlayerRun.h"

using ScriptedRun = StandInProgramRun;

// Runs the program of the test's folder with the steps and further setup statements (the
// program's control header lists both) to its end. A player that journaled anything it did not
// expect (an Unexpected line) fails the test.
ScriptedRun RunScriptedPlayer(const wchar_t* program, const std::string& steps,
                              const winamp_standin::StandInCommand& more = {});
