// The stand-in media center: runs its steps (JRiverStandInControl.h) against the display
// plug-in control it finds through its plug-in key, journaling what it did and what the
// control did to it.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "players/jriver/Automation.h"
#include "players/jriver/Container.h"
#include "players/shared/StandInSetup.h"

namespace jriver_standin {

class Player {
 public:
  explicit Player(const standin::StandInSetup& setup) : mSetup(setup) {}
  int Run(HINSTANCE instance);

 private:
  HRESULT RunStep(const standin::Step& step);
  HRESULT Create();
  HRESULT Show();
  HRESULT UseInterfaces();
  HRESULT Draw();
  HRESULT Resize(int width, int height);
  HRESULT SendToControl(UINT message, WPARAM wParam, LPARAM lParam);
  HRESULT WriteCover();
  void End();

  const standin::StandInSetup& mSetup;
  AutomationState mAutomationState;
  IDispatch* mAutomation = nullptr;
  DWORD mCookie = 0;
  DWORD mClassCookie = 0;  // the class object of "factory"
  Site mSite;
  IOleObject* mControl = nullptr;
  HWND mControlWindow = nullptr;
  bool mEnded = false;
};

}  // namespace jriver_standin
