#include "vis_Omnihost/winamp/MenuScripts.h"

#include "vis_Omnihost/winamp/WinampMessages.h"

namespace winamp {

const char* MenuScript(uint16_t command) {
  switch (command) {
    case menu::kNextConfig:
      return "SwitchupConfigs( 1 )";
    case menu::kPreviousConfig:
      return "SwitchupConfigs( -1 )";
    case menu::kRandomConfig:
      return "RollTheDice()";
    case menu::kFullscreen:
      return "SetFullscreen( True )";
    case menu::kToggleMenu:
      return "ToggleMenu()";
    default:
      return nullptr;
  }
}

}  // namespace winamp
