// The stand-in VirtualDJ's entry point: reads the setup from the command line
// (VirtualDjStandInControl.h) and runs the player.
#include <windows.h>

#include "players/shared/StandInMain.h"
#include "players/virtualdj/Player.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"ids", 0, 0},        {"create", 0, 0},      {"load", 0, 0},      {"info", 1, 1},
    {"nullinfo", 0, 0},   {"others", 0, 0},      {"start", 0, 0},     {"stop", 0, 0},
    {"deviceinit", 0, 0}, {"deviceclose", 0, 0}, {"viewport", 2, 2},  {"device", 1, 1},
    {"draw", 0, 0},       {"audio", 1, 1},       {"nullaudio", 0, 0}, {"down", 3, 3},
    {"up", 3, 3},         {"move", 3, 3},        {"key", 3, 3},       {"skin", 0, 0},
    {"wait", 1, 1},       {"play", 1, 1},        {"release", 0, 0},
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, {}, &setup)) return standin::kExitBadSetup;
  virtualdj_standin::Player player(setup);
  return player.Run(instance);
}
