// The stand-in media center's display area: a window of its own and a site that embeds a
// display plug-in control in it (IOleClientSite, IOleInPlaceSite, IOleControlSite). The window
// journals the display plug-in message it receives.
#pragma once

#include <windows.h>
#include <ocidl.h>

namespace jriver_standin {

struct Site {
  struct ClientFace {
    const IOleClientSiteVtbl* lpVtbl;
    Site* owner;
  } client;
  struct InPlaceFace {
    const IOleInPlaceSiteVtbl* lpVtbl;
    Site* owner;
  } inPlace;
  struct ControlSiteFace {
    const IOleControlSiteVtbl* lpVtbl;
    Site* owner;
  } controlSite;
  LONG references = 1;  // the player's own
  HWND window = nullptr;
  RECT area = {};

  Site();
  IOleClientSite* ClientSite() { return reinterpret_cast<IOleClientSite*>(&client); }
};

// The player's visible window (the class registered on first use), which journals the
// registered display plug-in message.
HWND CreatePlayerWindow(HINSTANCE instance);

}  // namespace jriver_standin
