// Where the preference file lives and reading and writing it whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace refengine {

// The file the environment variable REFENGINE_PREFERENCES_ENV names, else Preferences.txt in
// the engine's folder of the user's application data folder. Empty when neither is known.
std::wstring DefaultPreferenceFile();

// The file's bytes; nothing when it is missing, unreadable or larger than a preference file
// can be.
std::optional<std::string> ReadPreferenceFile(const std::wstring& path);

// Replaces the file with the text (through a temporary file beside it, so a failed write
// leaves the old file), creating its folder when missing. 0 or the Windows error (natively:
// 3 for an empty path, 29 for any failure to write).
uint32_t WritePreferenceFile(const std::wstring& path, const std::string& text);

// A path as the functions above take it, from UTF-8 (empty for text that does not convert),
// and back.
std::wstring PreferencePathFromUtf8(const char* utf8);
std::string PreferencePathToUtf8(const std::wstring& path);

}  // namespace refengine
