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
// leaves the old file), creating its folder when missing. 0 or the Windows error.
uint32_t WritePreferenceFile(const std::wstring& path, const std::string& text);

}  // namespace refengine
