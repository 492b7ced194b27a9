// The player's journal file: one line per call and message, written whole and at once from
// whichever thread saw it, so that a test in another process can read it while the player runs.
#pragma once

#include <string>

#include "refengine/JournalLine.h"

namespace winamp_standin {

// Opens (appending) the journal; false when the file cannot be opened.
bool OpenJournal(const std::wstring& path);
// Adds the tick count as ms=... and writes the line. Without an open journal, nothing.
void WriteJournal(refengine::JournalLine& line);
// Journals something the player did not expect, as an Unexpected line saying what.
void WriteUnexpected(const char* what);
void CloseJournal();
// For the crash handler: writes the line without waiting for a writer the crash may have
// stopped half-way (a torn line is better than no line).
void WriteJournalAtCrash(refengine::JournalLine& line);

}  // namespace winamp_standin
