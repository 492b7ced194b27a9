// A stand-in player's journal file: one line per call and message, `<call> key=value ...` as the
// reference engine writes them (testsupport/win/RefEngineJournal.h reads both), each ending with
// ms=<the system's millisecond tick count>. Lines are written whole and at once from whichever
// thread saw them, so that a test in another process can read the file while the player runs.
#pragma once

#include <string>

#include "refengine/JournalLine.h"

namespace standin {

// What a player did not expect is journaled under this call, so that a test fails on it.
constexpr char kUnexpectedCall[] = "Unexpected";
// The lines the shared pieces write for every player.
constexpr char kLoadLibraryCall[] = "LoadLibrary";  // path, module, error (StandInPlugin.h)
constexpr char kExitCall[] = "Exit";                // reason, code (StandInRun.h)

// Opens (appending) the journal; false when the file cannot be opened.
bool OpenJournal(const std::wstring& path);
// Adds the tick count and writes the line. Without an open journal, nothing.
void WriteJournal(refengine::JournalLine line);
// Journals an Unexpected line saying what.
void WriteUnexpected(const char* what);
void CloseJournal();
// For a crash handler: writes the line without waiting for a writer the crash may have stopped
// half-way (a torn line is better than no line).
void WriteJournalAtCrash(refengine::JournalLine line);

}  // namespace standin
