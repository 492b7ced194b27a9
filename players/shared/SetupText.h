// A stand-in player's setup arrives as value text on its command line, after the program's path.
#pragma once

#include <string>

namespace standin {

// The command line after the program's own (possibly quoted) path, as UTF-8.
std::string SetupText();
// UTF-8 text of the setup (a path) as the system's UTF-16.
std::wstring Wide(const std::string& utf8);

}  // namespace standin
