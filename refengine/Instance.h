// One engine instance: what its host told it at creation, its drawing target, and what it
// shows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "refengine/AudioFeed.h"
#include "refengine/Canvas.h"
#include "refengine/CoverImage.h"
#include "refengine/DeviceTarget.h"
#include "refengine/NativeHandles.h"
#include "refengine/SceneState.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/EngineRecords.h"

namespace refengine {

enum class TargetKind { kNone, kWindow, kDeviceContext, kPixelBuffer, kOther };

struct Target {
  TargetKind kind = TargetKind::kNone;
  NativeWindow window = nullptr;
  NativeDC deviceContext = nullptr;
  PixelBufferDesc buffer{};  // a copy: the host's description may go, its pixels stay
  void* other = nullptr;
  uint32_t flags = 0;
};

struct TrackInfo {
  std::string title;
  std::string artist;
  std::string album;
  int32_t year = 0;
};

struct Instance {
  uint32_t handle = 0;
  EngineCallback callback = nullptr;
  void* userData = nullptr;
  std::string descriptor;
  bool hostAudio = false;  // the host answers 'GetS'

  Target target;
  uint64_t targetLostMs = 0;        // when the last target went (for 'Stp?')
  EngineRect insets{};              // the part of the target the host covers
  DeviceTarget device;              // the Direct3D 9 device when the "other" target is one
  NativeWindow fullscreenWindow = nullptr;  // the engine's own fullscreen window, while it shows one
  bool hostFullscreen = false;      // the host agreed to show the picture fullscreen itself
  bool artWanted = true;            // ask the host for art at the next frame

  std::shared_ptr<const CoverImage> cover;
  bool coverOfEarlierTrack = false;  // a new track came; its art has not been seen yet

  TrackInfo track;
  SceneState scene;
  AudioFeed audio;
  Canvas canvas;
};

// The live instances of the process, by handle. Handles are never 0 and not reused while the
// library stays loaded.
std::shared_ptr<Instance> AddInstance(EngineCallback callback, void* userData,
                                      std::string descriptor);
std::shared_ptr<Instance> FindInstance(uint32_t handle);
std::shared_ptr<Instance> RemoveInstance(uint32_t handle);
int32_t LiveInstanceCount();

}  // namespace refengine
