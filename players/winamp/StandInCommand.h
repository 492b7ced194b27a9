// The value text of the stand-in player's setup or of one run-time command
// (players/winamp/StandInControl.h): statements `key = value` written so that the player's
// SettingsTable reads back exactly what was given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "utility/UtilStr.h"

namespace winamp_standin {

class StandInCommand {
 public:
  StandInCommand() = default;
  // A run-time command: starts with `do = <verb>`.
  explicit StandInCommand(const char* verb) { Text("do", verb); }

  // Any UTF-8 text; quotes, backslashes and other bytes are escaped.
  StandInCommand& Text(const char* key, std::string_view utf8) {
    UtilStr quoted;
    quoted.AppendChar('"');
    quoted.AppendEscaped(utf8.data(), int32_t(utf8.size()));
    quoted.AppendChar('"');
    return Statement(key, std::string(quoted.Text(), size_t(quoted.Length())));
  }
  StandInCommand& Number(const char* key, int64_t value) {
    return Statement(key, std::to_string(value));
  }
  // Appends the statements of another command (setups made of parts).
  StandInCommand& Add(const StandInCommand& more) {
    if (!more.mText.empty()) mText += (mText.empty() ? "" : " ") + more.mText;
    return *this;
  }

  const std::string& str() const { return mText; }

 private:
  StandInCommand& Statement(const char* key, const std::string& value) {
    if (!mText.empty()) mText += ' ';
    mText += key;
    mText += " = ";
    mText += value;
    return *this;
  }

  std::string mText;
};

}  // namespace winamp_standin
