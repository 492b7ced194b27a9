// The stand-in RealPlayer's entry point: reads the setup from the command line
// (RealPlayerStandInControl.h) and runs the player.
#include <windows.h>

#include "players/realplayer/Player.h"
#include "players/shared/StandInMain.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"create", 0, 0},    {"query", 0, 0},      {"init", 0, 0},     {"describe", 0, 0},
    {"caps", 0, 0},      {"others", 0, 0},     {"activate", 1, 1}, {"window", 1, 1},
    {"badwindow", 0, 0}, {"nullwindow", 0, 0}, {"audio", 1, 1},    {"nullaudio", 0, 0},
    {"destroy", 1, 1},   {"hang", 1, 1},       {"wait", 1, 1},     {"state", 0, 0},
    {"release", 0, 0},   {"framehang", 1, 1},
};
constexpr const char* kNumberKeys[] = {"context"};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, kNumberKeys, &setup)) return standin::kExitBadSetup;
  realplayer_standin::Player player(setup);
  return player.Run(instance);
}
