// The stand-in iTunes' entry point: reads the setup from the command line
// (ItunesStandInControl.h) and runs the player.
#include <windows.h>

#include "players/itunes/Player.h"
#include "players/shared/StandInMain.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"init", 0, 0},    {"main", 1, 1},   {"nullinit", 0, 0}, {"hinit", 0, 0},   {"show", 1, 1},
    {"hide", 0, 0},    {"draw", 1, 1},   {"pulse", 1, 1},    {"nopulse", 0, 0}, {"play", 1, 1},
    {"ctrk", 1, 1},    {"art", 0, 0},    {"noart", 0, 0},    {"send", 1, 1},    {"move", 1, 1},
    {"nullmsg", 1, 1}, {"key", 1, 1},    {"monitor", 0, 0},  {"destroy", 0, 0}, {"state", 0, 0},
    {"wait", 1, 1},
};
constexpr const char* kNumbers[] = {"sful", "regv"};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, kNumbers, &setup)) return standin::kExitBadSetup;
  itunes_standin::Player player(setup);
  return player.Run(instance);
}
