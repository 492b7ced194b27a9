// The stand-in media center's entry point: reads the setup from the command line
// (JRiverStandInControl.h) and runs the player.
#include <windows.h>

#include "players/jriver/Player.h"
#include "players/shared/StandInMain.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"probe", 1, 8},      {"unprobe", 1, 8},  {"serve", 0, 0},   {"nullsamples", 0, 0},
    {"nulltexts", 0, 0},  {"endlesstexts", 0, 0}, {"fail35", 0, 0}, {"zero35", 0, 0},
    {"cover", 0, 0},      {"track", 0, 0},    {"draw", 0, 0},    {"create", 0, 0},
    {"show", 0, 0},       {"site", 0, 0},     {"resize", 2, 2},  {"key", 1, 1},
    {"char", 1, 1},       {"rclick", 2, 2},   {"wait", 1, 1},    {"close", 0, 0},
    {"unsite", 0, 0},     {"release", 0, 0},  {"end", 0, 0},     {"factory", 0, 0},
};
constexpr const char* kNumberKeys[] = {"version"};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, kNumberKeys, &setup)) return standin::kExitBadSetup;
  jriver_standin::Player player(setup);
  return player.Run(instance);
}
