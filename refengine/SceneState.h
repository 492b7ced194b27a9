// How the picture looks, and the keys and mouse buttons that change it.
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"

namespace refengine {

struct SceneState {
  static constexpr int kPaletteCount = 4;
  static constexpr int kMinBars = 8;
  static constexpr int kMaxBars = 64;

  int palette = 0;
  int barCount = 32;
  bool paused = false;
  bool showTitle = true;
  uint64_t frames = 0;
  uint64_t animationMs = 0;  // advances only while not paused
  uint64_t lastFrameMs = 0;
};

// Applies an input event to the scene. False when the engine has no use for the event, which
// the host then passes on.
bool ApplyEvent(SceneState& scene, const EventRecord& event);

}  // namespace refengine
