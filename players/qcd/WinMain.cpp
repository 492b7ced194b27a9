// The stand-in QCD's entry point: reads the setup from the command line (QcdStandInControl.h)
// and runs the player.
#include <windows.h>

#include "players/qcd/Player.h"
#include "players/shared/StandInMain.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"init", 0, 0},  {"render", 0, 0},   {"size", 2, 2}, {"nopixels", 0, 0},
    {"event", 3, 3}, {"shutdown", 0, 0}, {"wait", 1, 1},
};
constexpr const char* kNumberKeys[] = {"window", "structure", "enginePeriod"};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, kNumberKeys, &setup)) return standin::kExitBadSetup;
  qcd_standin::Player player(setup);
  return player.Run(instance);
}
