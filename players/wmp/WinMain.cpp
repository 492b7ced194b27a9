// The stand-in Media Player's entry point.
//
// Command line: value text (players/shared/StandInSetup.h), for example
//   WmpStandIn.exe journal = "C:\\temp\\player.txt" steps = "core; window; render 30"
// The player creates the first effect registered under
// HKLM\SOFTWARE\Microsoft\MediaPlayer\Objects\Effects (registry view of its own width), runs the
// steps and gives everything back; exit code 0 when the effect was found, created and driven,
// 2 when no registered effect could be created, 1 for a bad setup. The steps, the settings and
// the journal lines are listed in WmpStandInControl.h. A copy named ehshell.exe is Media Center.
#include <windows.h>

#include "players/shared/StandInMain.h"
#include "players/wmp/Player.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"core", 0, 0},    {"window", 0, 0}, {"render", 1, 1},  {"bars", 0, 0},
    {"altenter", 0, 0}, {"play", 0, 0},  {"pause", 0, 0},   {"stop", 0, 0},
    {"seek", 0, 0},    {"media", 0, 0},  {"notify", 0, 0},  {"key", 1, 1},
    {"destroy", 0, 0}, {"uncore", 0, 0}, {"release", 0, 0}, {"wait", 1, 1},
};
constexpr const char* kNumberKeys[] = {"effect", "amplitude", "band"};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, kNumberKeys, &setup)) return standin::kExitBadSetup;
  wmp_standin::Player player(setup);
  return player.Run(instance);
}
