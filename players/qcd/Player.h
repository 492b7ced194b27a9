// The stand-in QCD: loads the plug-in through QVisualModule0 with a module structure of its
// own and drives the module's functions the way the player does, on one thread that also runs
// the player's window, journaling every call and what each render did to its window and video
// buffer.
#pragma once

#include <windows.h>

#include <memory>

#include "players/shared/PlayerBuffer.h"
#include "players/shared/StandInRun.h"
#include "players/shared/StandInSetup.h"
#include "vis_Omnihost/qcd/QcdRecords.h"

namespace qcd_standin {

class Player : standin::SteppedPlayer {
 public:
  explicit Player(const standin::StandInSetup& setup);
  // Runs the steps; the exit code.
  int Run(HINSTANCE instance);

 private:
  bool LoadPlugin() override;
  void RunStep(const standin::Step& step) override;
  HMODULE LibraryToUnload() override;
  void FixEnginePeriod(int64_t milliseconds);
  void Render();
  void Resize(int32_t width, int32_t height);
  void MakeBuffer(int32_t width, int32_t height);
  void PumpFor(int64_t milliseconds);

  // The player's service, which the plug-in calls.
  static intptr_t QCD_CALL Service(int32_t opcode, void* buffer, intptr_t value1, intptr_t value2);

  standin::StandInSetup mSetup;
  bool mWindowMode;
  ULONGLONG mDeadline = 0;
  HWND mWindow = nullptr;
  HMODULE mLibrary = nullptr;
  std::unique_ptr<qcd::Module> mModule;
  qcd::VideoBuffer mVideo = {};
  std::unique_ptr<standin::PlayerBuffer> mBuffer;
  standin::PlayerBuffer* mShown = nullptr;  // what the window paints (buffer mode only)
  bool mModuleEnded = true;
};

}  // namespace qcd_standin
