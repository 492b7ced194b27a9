// The stand-in VirtualDJ 8: loads the plug-in through DllGetClassObject with VirtualDJ's
// identifiers, writes VirtualDJ's fields into the plug-in object and calls its operations
// through the object's table in VirtualDJ's order, on one thread that also runs its window and
// owns the Direct3D 9 device its video callbacks hand out. Journals every call and what each
// draw left in the render target.
#pragma once

#include <windows.h>

#include <d3d9.h>

#include <cstdint>

#include "players/shared/StandInRun.h"
#include "players/shared/StandInSetup.h"
#include "vis_Omnihost/virtualdj/VirtualDjRecords.h"

namespace virtualdj_standin {

class Player : standin::SteppedPlayer {
 public:
  explicit Player(const standin::StandInSetup& setup);
  ~Player();
  // Runs the steps; the exit code.
  int Run(HINSTANCE instance);

  // What the video callbacks hand out (the device step).
  void* HandedDevice(int* kind) const;

 private:
  bool MakeDevice();
  bool LoadPlugin() override;
  void RunStep(const standin::Step& step) override;
  HMODULE LibraryToUnload() override;
  void RunVerb(const standin::Step& step);
  void Create();
  void RefusedIds();
  void Info(uint32_t flags, bool nullRecord);
  // Reading the render target back is slow; playing leaves it out.
  void Draw(bool readBack);
  void Audio(int32_t frames);
  void Mouse(const char* kind, int32_t x, int32_t y, int32_t modifiers);
  void SetViewport(int32_t width, int32_t height);
  uint32_t RenderTargetPixel();
  void Operation(const char* name, virtualdj::Result result);
  void PumpFor(int64_t milliseconds);

  standin::StandInSetup mSetup;
  ULONGLONG mDeadline = 0;
  HWND mWindow = nullptr;
  IDirect3D9* mDirect3D = nullptr;
  IDirect3DDevice9* mDevice = nullptr;
  HMODULE mLibrary = nullptr;
  virtualdj::GetClassObjectFn mGetClassObject = nullptr;
  virtualdj::Plugin* mPlugin = nullptr;
  virtualdj::InputEvents* mInputEvents = nullptr;
  int mDeviceKind = 1;
  int64_t mToneFrame = 0;
};

}  // namespace virtualdj_standin
