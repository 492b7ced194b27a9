// The stand-in XMPlay's entry point: reads the setup from the command line
// (XmplayStandInControl.h) and runs the player.
#include <windows.h>

#include "players/shared/StandInMain.h"
#include "players/xmplay/Player.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"init", 0, 0},  {"render", 2, 3}, {"moved", 0, 0}, {"nopixels", 2, 2}, {"nodata", 0, 0},
    {"click", 2, 2}, {"save", 0, 0},   {"open", 0, 0},  {"deinit", 0, 0},   {"wait", 1, 1},
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, {}, &setup)) return standin::kExitBadSetup;
  xmplay_standin::Player player(setup);
  return player.Run(instance);
}
