// The stand-in media center's display area: a window of its own and a site that embeds a
// display plug-in control in it. The window journals the display plug-in message it receives.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "activex/testsupport/win/ContainerSite.h"

namespace jriver_standin {

// The shared container site as the media center keeps it: with IOleControlSite, the control's
// in-place calls journaled, and a release too many journaled as unexpected.
struct Site : activex_site::ContainerSite {
  Site();
};

// The player's visible window (the class registered on first use), which journals the
// registered display plug-in message.
HWND CreatePlayerWindow(HINSTANCE instance);

}  // namespace jriver_standin
