// The stand-in VLC's entry point: reads the setup from the command line (VlcStandInControl.h)
// and runs the player.
#include <windows.h>

#include "players/shared/StandInMain.h"
#include "players/vlc/Player.h"

namespace {

constexpr standin::StepVerb kVerbs[] = {
    {"open", 0, 0}, {"play", 1, 1}, {"wait", 1, 1}, {"close", 0, 0}};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  standin::StandInSetup setup;
  if (!standin::ReadSetup(kVerbs, {}, &setup)) return standin::kExitBadSetup;
  vlc_standin::Player player(setup);
  return player.Run();
}
