// The stand-in RealPlayer: two windows of its own on the main thread, and a second thread that
// loads the plug-in through MPACreateVisualization and drives the visualization object the way
// the player does, journaling every call, what the object did to the windows, and how long
// moving between windows took.
#pragma once

#include <windows.h>

#include "players/shared/StandInSetup.h"
#include "vis_Omnihost/realplayer/RealPlayerRecords.h"

namespace realplayer_standin {

class Player {
 public:
  explicit Player(const standin::StandInSetup& setup);
  // Runs the windows and the steps; the exit code.
  int Run(HINSTANCE instance);

 private:
  static DWORD WINAPI StepThread(void* player);
  void RunSteps();
  bool LoadPlugin();
  void RunStep(const standin::Step& step);
  void Create();
  void Query();
  void SetWindow(int32_t which, const realplayer::Window* address);
  void Audio(int32_t count);
  void HoldNextFrame(int32_t milliseconds);
  void JournalState(int which) const;
  void RunWindows(HANDLE stepThread);
  HWND WindowNumber(int32_t which) const;

  standin::StandInSetup mSetup;
  ULONGLONG mDeadline = 0;
  DWORD mMainThread = 0;
  HWND mWindows[2] = {};
  HMODULE mLibrary = nullptr;
  realplayer::CreateVisualizationFn mCreate = nullptr;
  realplayer::Visualization* mObject = nullptr;
  int mCode = 0;
  const char* mReason = "steps done";
};

}  // namespace realplayer_standin
