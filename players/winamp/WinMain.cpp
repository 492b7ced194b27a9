// The stand-in Winamp-type player's entry point: reads the setup from the command line
// (StandInControl.h) and runs the player.
#include <windows.h>

#include <string>

#include "players/winamp/Player.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"
#include "utility/TextFunctions.h"

namespace {

// The command line after the program's own path, as UTF-8.
std::string SetupText() {
  const wchar_t* line = GetCommandLineW();
  if (*line == L'"') {
    ++line;
    while (*line && *line != L'"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != L' ' && *line != L'\t') ++line;
  }
  const auto* wide = reinterpret_cast<const char16_t*>(line);
  const int32_t units = int32_t(std::char_traits<char16_t>::length(wide));
  std::string utf8(size_t(Utf16ToUtf8(wide, units, nullptr, 0)), '\0');
  Utf16ToUtf8(wide, units, utf8.data(), int32_t(utf8.size()));
  return utf8;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace winamp_standin;
  StandInOptions options;
  std::string error;
  if (!ParseOptions(SetupText(), &options, &error)) {
    if (!options.journal.empty() && OpenJournal(options.journal)) {
      refengine::JournalLine line(call::kUnexpected);
      WriteJournal(line.Text("what", "setup").Text("reason", error));
      CloseJournal();
    }
    return kExitBadSetup;
  }
  Player player(options);
  return player.Run(instance);
}
