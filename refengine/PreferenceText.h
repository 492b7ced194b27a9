// The preference file's text: value text (name = value statements) that lists the preferences
// by number and gives each one's type letter and value under prefixed keys:
//   count = 2
//   0 = "Window.left"
//   "type:Window.left" = "i"
//   "value:Window.left" = 64
//   1 = "Title"
//   "type:Title" = "s"
//   "value:Title" = "Blue \"Moon\""
// Prefixed keys never meet a preference's own name, whatever it is.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace refengine {

struct StoredPreference {
  uint32_t type = 0;  // a type letter of PreferenceAnswer
  int64_t integer = 0;
  double number = 0;
  std::string bytes;  // texts; 'W' keeps UTF-16 bytes
};

using PreferenceMap = std::map<std::string, StoredPreference>;

// Pointers ('*') mean nothing to another process and are left out.
std::string FormatPreferenceText(const PreferenceMap& preferences);

// Nothing when the text is not such a file (malformed statements, missing or unknown parts).
std::optional<PreferenceMap> ParsePreferenceText(const std::string& text);

}  // namespace refengine
