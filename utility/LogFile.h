// The log file "Novalume Log.txt" in the log folder (the user's desktop).
//
// The file is opened in append mode and closed again for every message, so that messages of
// several threads and modules follow one another. The first message of the process that reaches
// the file is preceded by a header line with the local date and time.
#pragma once

#include <cstddef>

// The folder text holds at most this many bytes.
constexpr size_t kLogFolderCapacity = 255;

// Stores the log folder (UTF-8, ending in a separator), cut to kLogFolderCapacity bytes.
void SetLogFolder(const char* folder);
const char* LogFolder();

// Appends text, and a line feed in line mode, to the log file. A file that cannot be opened
// is skipped.
void AppendToLogFile(const char* text, bool lineMode);

namespace LogFileTesting {
// Makes the next message that reaches the file write the header line again, as in a new process.
void RearmHeader();
}  // namespace LogFileTesting
