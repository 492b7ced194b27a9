// Opens the log file for appending ("a+": created when missing).
#pragma once

#include <cstdio>

// path is UTF-8; the file is opened by its UTF-16 name where the system's names are UTF-16.
// Returns null when the file cannot be opened.
std::FILE* OpenLogFileForAppend(const char* path);
