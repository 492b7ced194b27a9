// The stand-in XMPlay: loads the plug-in through QueryModule and drives the module the way the
// player does, on one thread that also runs the player's window, journaling every call and what
// each render did to the player's pixel buffer.
#pragma once

#include <windows.h>

#include <memory>

#include "players/shared/PlayerBuffer.h"
#include "players/shared/StandInRun.h"
#include "players/shared/StandInSetup.h"
#include "vis_Omnihost/xmplay/XmplayRecords.h"

namespace xmplay_standin {

class Player : standin::SteppedPlayer {
 public:
  explicit Player(const standin::StandInSetup& setup);
  // Runs the steps; the exit code.
  int Run(HINSTANCE instance);

 private:
  bool LoadPlugin() override;
  void RunStep(const standin::Step& step) override;
  HMODULE LibraryToUnload() override;
  void Render(int32_t width, int32_t height, int32_t pitch, bool withPixels);
  // The buffer the next render of this size draws into.
  void PrepareBuffer(int32_t width, int32_t height, int32_t pitch);
  void Settings(bool save);
  void Deinitialize();
  // Lets the window's messages run for the time (or until the deadline).
  void PumpFor(int64_t milliseconds);

  standin::StandInSetup mSetup;
  ULONGLONG mDeadline = 0;
  HWND mWindow = nullptr;
  HMODULE mLibrary = nullptr;
  xmplay::VisInfo* mInfo = nullptr;
  bool mModuleEnded = true;  // no module call since the last deinitialise
  xmplay::VisData mData = {};
  standin::PlayerBuffer* mShown = nullptr;  // what the window paints
  std::unique_ptr<standin::PlayerBuffer> mBuffer;
  std::unique_ptr<standin::PlayerBuffer> mPrevious;  // the buffer a "moved" step replaced
  bool mMoveNext = false;
  bool mNoDataNext = false;
};

}  // namespace xmplay_standin
