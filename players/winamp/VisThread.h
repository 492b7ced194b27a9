// The player's visualization thread, as Winamp-type players run one: it calls the module's
// Init, then Render every period with fresh audio data while it keeps the thread's windows
// (the plug-in's and the frames) going with a message loop, and Quit at the end. The plug-in's
// WM_QUIT (posted when its window goes) stops the visualization: the thread calls Quit and waits
// for commands. Commands from the main thread arrive through a queue; every wait is bounded.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>

#include "players/winamp/PluginLibrary.h"
#include "players/winamp/StandInOptions.h"

namespace winamp_standin {

enum class VisVerb { kInit, kRender, kRenderOnce, kConfig, kQuit, kMoveFrame, kClose, kProbe };

struct VisCommand {
  VisVerb verb;
  bool on = false;  // kRender
  RECT rect = {};   // kMoveFrame
};

class VisThread {
 public:
  // `pluginWindow` is the window the plug-in named with 611 (kept by the main thread).
  VisThread(const StandInOptions& options, const PluginLibrary& plugin, HWND player,
            const std::atomic<HWND>& pluginWindow);
  ~VisThread();
  VisThread(const VisThread&) = delete;
  VisThread& operator=(const VisThread&) = delete;

  bool Start();
  void Post(const VisCommand& command);
  // Quit (when the module runs) and end the thread. Waits at most `milliseconds`, handling the
  // calling thread's messages meanwhile (the plug-in sends the player messages while it quits);
  // false when the thread did not end in time.
  bool Stop(DWORD milliseconds);

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  bool PumpMessages();  // false after WM_QUIT
  void RunCommands();
  void RunCommand(const VisCommand& command);
  void FillModule();
  void Init();
  void Render();
  void Config();
  void Quit();
  HWND FrameOrPluginWindow() const;
  DWORD NextWait() const;

  const StandInOptions& mOptions;
  winamp::VisModule* mModule;
  HINSTANCE mInstance;
  HWND mPlayer;
  const std::atomic<HWND>& mPluginWindow;
  HANDLE mThread = nullptr;
  HANDLE mWake = nullptr;
  std::mutex mLock;
  std::deque<VisCommand> mCommands;
  std::atomic<bool> mStopping{false};

  // Visualization thread only.
  bool mStarted = false;    // Init called and no Quit since
  bool mRendering = false;  // Render calls due every period
  int64_t mRenderCount = 0;
  ULONGLONG mNextRender = 0;
  ULONGLONG mStartTime = 0;
};

}  // namespace winamp_standin
