// A container's site for tests of controls: IOleClientSite and IOleInPlaceSite on one object,
// giving the control a parent window and a place in it, and journaling what the control asked
// of it. Its reference count shows whether the control gave back every reference it took.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

namespace activex_test {

struct FakeSite {
  struct ClientFace {
    const IOleClientSiteVtbl* lpVtbl;
    FakeSite* owner;
  } client;
  struct InPlaceFace {
    const IOleInPlaceSiteVtbl* lpVtbl;
    FakeSite* owner;
  } inPlace;
  LONG references = 1;
  HWND parent = nullptr;
  RECT place = {10, 20, 210, 170};
  bool allowInPlace = true;
  std::vector<std::string> calls;

  FakeSite();
  IOleClientSite* Site() { return reinterpret_cast<IOleClientSite*>(&client); }
};

}  // namespace activex_test
