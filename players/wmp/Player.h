// The stand-in Media Player: finds its effect through the registry, creates it with
// CoCreateInstance and drives it as the player does, on one thread in a single-threaded
// apartment that also runs the player's windows: its "WMPlayerApp" main window, the child
// window it gives the effect (whose messages go to OnWindowMessage first), the fullscreen
// window and the layered bars. Every call and what came of it goes to the journal
// (WmpStandInControl.h).
#pragma once

#include <windows.h>

#include <string>

#include "NV_WMP/TimedLevel.h"
#include "NV_WMP/win/EffectInterfaces.h"
#include "players/shared/StandInRun.h"
#include "players/shared/StandInSetup.h"
#include "players/wmp/StandInCore.h"

namespace wmp_standin {

class Player : standin::SteppedPlayer {
 public:
  explicit Player(const standin::StandInSetup& setup);
  // Runs the steps; the exit code.
  int Run(HINSTANCE instance);

 private:
  bool MakeWindows();
  bool LoadPlugin() override;
  bool CreateEffect();
  void RunStep(const standin::Step& step) override;
  HMODULE LibraryToUnload() override;
  void RenderFrames(int count);
  void MakeBars();
  void ToggleFullscreen(const char* via);
  void SendEvent(const char* name);
  void SendKey(int virtualKey);
  void Destroy();
  void SetCore(bool given);
  void ReleaseEffect();
  // The player's end: everything still held given back in the player's order.
  void GiveEverythingBack();
  HWND EffectTarget() const { return mFullscreenWindow != nullptr ? mFullscreenWindow : mEffectWindow; }

  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EffectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  standin::StandInSetup mSetup;
  HINSTANCE mInstance = nullptr;
  ULONGLONG mDeadline = 0;
  bool mComStarted = false;
  HWND mMain = nullptr;
  HWND mEffectWindow = nullptr;
  HWND mFullscreenWindow = nullptr;
  HWND mBar = nullptr;
  HWND mGivenWindow = nullptr;  // the window of the last Create
  wmp::Effects* mEffect = nullptr;
  std::wstring mModulePath;  // the effect's server, as registered
  wmpstandin::StandInCore* mCore = nullptr;
  bool mCoreGiven = false;
  bool mWindowGiven = false;
  bool mFullscreen = false;
  wmp::TimedLevel mLevels = {};
  int mFrames = 0;
  int mPumps = 0;
  int mTrack = 1;
};

}  // namespace wmp_standin
