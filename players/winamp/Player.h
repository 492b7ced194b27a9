// The stand-in player as a whole: its main window and main thread, which answer the plug-in's
// messages and take the test's commands, the loaded plug-in and the visualization thread that
// drives it. The player ends on the Exit command, when its window is closed, or when the
// setup's maximum run time is up, always within bounded waits.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>

#include "players/winamp/KeyPresses.h"
#include "players/winamp/PlayerAnswers.h"
#include "players/winamp/PlayerServices.h"
#include "players/winamp/PluginLibrary.h"
#include "players/winamp/StandInOptions.h"
#include "players/winamp/VisThread.h"

namespace winamp_standin {

// Exit codes (and kExitCrashed, CrashGuard.h).
constexpr int kExitNormal = 0;
constexpr int kExitBadSetup = 1;
constexpr int kExitMaxTime = 2;
constexpr int kExitHung = 3;

class Player {
 public:
  explicit Player(const StandInOptions& options);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // The whole run; the exit code.
  int Run(HINSTANCE instance);

  // The main window's procedure (MainWindow.h) hands every message here.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool TakeCommand(const COPYDATASTRUCT* data);
  void RunPendingCommands();
  void RunCommand(const std::string& text);  // PlayerCommands.cpp
  void Housekeeping();
  // Ends the visualization, frees the plug-in, reports and leaves the message loop.
  void Finish(const char* reason, int code);

  StandInOptions mOptions;
  HWND mWindow = nullptr;
  PlayerServices mServices;
  PlayerAnswers mAnswers;
  PluginLibrary mPlugin;
  std::unique_ptr<VisThread> mVis;
  KeyPresses mKeys;
  std::deque<std::string> mPendingCommands;
  ULONGLONG mDeadline = 0;
  bool mFinished = false;
};

}  // namespace winamp_standin
