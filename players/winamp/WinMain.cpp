// The stand-in Winamp-type player's entry point: reads the setup from the command line
// (StandInControl.h) and runs the player.
#include <windows.h>

#include <string>

#include "players/shared/SetupText.h"
#include "players/winamp/Player.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace winamp_standin;
  StandInOptions options;
  std::string error;
  if (!ParseOptions(standin::SetupText(), &options, &error)) {
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
