// The engine's journal: the lines of every call received and every request sent, kept in
// memory for tests in the same process and appended to a file for tests in other processes.
#pragma once

#include <cstdint>
#include <string>

#include "refengine/JournalLine.h"

namespace refengine {

void WriteJournal(const JournalLine& line);

int32_t JournalCount();
// False when there is no line `index`.
bool JournalAt(int32_t index, std::string* line);
// Empties the memory journal and goes back to the environment's journal file.
void ResetJournal();
// Appends later lines to the file (UTF-8 path; empty: no file). Returns 0 or a Windows error.
uint32_t SetJournalFile(const std::string& utf8Path);
// Closes the journal file (the library is being unloaded).
void CloseJournal();

}  // namespace refengine
