// The user's desktop folder, as the log's module-load step finds it.
#pragma once

#include <string>

// The desktop folder (CSIDL 16, then CSIDL 0) as UTF-8 without a long-path prefix or trailing
// separator; empty when the shell gives neither.
std::string FindDesktopFolder();
