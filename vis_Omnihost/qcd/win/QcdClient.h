// QcdClient: the QCD host. Unlike the other hosts it has no VisualHost: it drives the engine's
// function table itself, with one engine instance, from the player's render calls.
//
// The engine draws into the player's window for visuals when the player's service names one,
// and otherwise into the player's video buffer, whose picture the player then shows. Frames
// are paced by the engine: a render before the engine's next frame is due draws nothing. The
// client answers the engine's audio requests from the module structure. One client exists per
// process; everything runs on the player's thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "vis_Omnihost/qcd/QcdRecords.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/EngineRecords.h"

namespace qcd {

class QcdClient {
 public:
  // Takes the shared engine's table and creates the instance (none without an engine); the
  // module is the player's structure, or null.
  explicit QcdClient(Module* module);
  // Destroys the instance.
  ~QcdClient();
  QcdClient(const QcdClient&) = delete;
  QcdClient& operator=(const QcdClient&) = delete;

  // The player's init: asks for its window again and forces a new target at the next render.
  void Restart();
  // One render call: 0 when the picture went to the window (or nowhere), 1 when it went into
  // the player's video buffer.
  int32_t Render();
  // A mouse event for the engine; 1 when the engine answered non-zero, 0 for other types or
  // without an instance.
  int32_t Event(int32_t type, int32_t x, int32_t y);

  // The callback given to CreateInstance: 'GetS' from the module structure, 55012 for the rest.
  static int32_t NV_ENGINE_CALL OnEngineRequest(void* client, uint32_t code, void* in, void* out);

 private:
  // What the frame draws into: the window's client area, or the player's buffer.
  struct Target {
    int32_t width = 0;
    int32_t height = 0;
    void* buffer = nullptr;
    bool window = false;
    bool usable = true;  // false: a video buffer the engine cannot draw into
  };
  Target CurrentTarget() const;
  void Retarget(const Target& target);
  HWND ServiceWindow() const;

  Module* mModule;
  uint32_t mInstance = 0;
  const EngineTable* mTable = nullptr;
  int64_t mNextStepMs = 0;
  int32_t mLastWidth = 0;
  int32_t mLastHeight = 0;
  void* mLastBuffer = nullptr;
  HWND mWindow = nullptr;
  // The engine keeps the buffer description and rectangle it was given.
  PixelBufferDesc mPixelBuffer = {};
  Rect mRect = {};
};

}  // namespace qcd
