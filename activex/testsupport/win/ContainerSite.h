// A container's site for the controls that tests and stand-in containers embed: IOleClientSite,
// IOleInPlaceSite and, when offered, IOleControlSite on one object. It gives the control a
// parent window and a place in it, answers the rest as a plain container does, and tells its
// owner what the control asked of it. Its reference count shows whether the control gave back
// every reference it took.
#pragma once

#include <ocidl.h>
#include <windows.h>

#include <functional>

namespace activex_site {

struct ContainerSite {
  struct ClientFace {
    const IOleClientSiteVtbl* lpVtbl;
    ContainerSite* owner;
  } client;
  struct InPlaceFace {
    const IOleInPlaceSiteVtbl* lpVtbl;
    ContainerSite* owner;
  } inPlace;
  struct ControlSiteFace {
    const IOleControlSiteVtbl* lpVtbl;
    ContainerSite* owner;
  } controlSite;
  LONG references = 1;  // the owner's own
  HWND window = nullptr;
  RECT place = {};
  bool allowInPlace = true;       // what CanInPlaceActivate answers
  bool offerControlSite = false;  // whether the site has IOleControlSite
  // The in-place calls by name (GetWindow, CanInPlaceActivate, OnInPlaceActivate, OnUIActivate,
  // GetWindowContext, OnUIDeactivate, OnInPlaceDeactivate), in the order the control made them.
  std::function<void(const char* call)> heard;
  // A release past the owner's own reference.
  std::function<void()> overReleased;

  ContainerSite();
  ContainerSite(const ContainerSite&) = delete;
  ContainerSite& operator=(const ContainerSite&) = delete;
  IOleClientSite* ClientSite() { return reinterpret_cast<IOleClientSite*>(&client); }
};

}  // namespace activex_site
