// One run of a stand-in player that ends by itself, in its own process: started with the test's
// options, waited for, and both journals read (the reference engine's, and the player's own from
// the file the player was told to write, which is deleted after reading). Shared by the stand-in
// players' end-to-end tests of every plug-in.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "testsupport/win/ProgramRun.h"
#include "testsupport/win/RefEngineJournal.h"

using Journal = std::vector<refengine_journal::JournalEntry>;

struct StandInProgramRun {
  long exitCode = -1;  // -1: the player did not end in time
  Journal player;
  Journal engine;
};

// `program`: a full path, or a file name in the test program's own folder. A player that did
// not start fails the test.
StandInProgramRun RunStandInProgram(const std::wstring& program, const RunOptions& options,
                                    const std::wstring& playerJournal, DWORD exitMs);

// The player's Unexpected lines as text, one a line; empty when there are none.
std::string UnexpectedLines(const Journal& player);
