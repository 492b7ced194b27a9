// A native frame: the same requests to the host as on Windows, and a picture in the colour of
// the audio's level inside the host's insets, drawn only into pixel buffers (the one kind of
// target there is natively).
#include "refengine/Frame.h"

#include <algorithm>
#include <cstddef>

#include "refengine/EngineClock.h"
#include "refengine/HostRequests.h"
#include "refengine/LevelColour.h"

namespace refengine {
namespace {

void AdvanceClock(SceneState& scene) {
  const uint64_t now = ClockMs();
  if (scene.lastFrameMs != 0 && !scene.paused) scene.animationMs += now - scene.lastFrameMs;
  scene.lastFrameMs = now;
  ++scene.frames;
}

void FillInsideInsets(const PixelBufferDesc& buffer, const EngineRect& insets, uint32_t rgb) {
  const int32_t left = std::clamp<int32_t>(insets.left, 0, buffer.width);
  const int32_t top = std::clamp<int32_t>(insets.top, 0, buffer.height);
  const int32_t right = std::max<int32_t>(left, buffer.width - std::max<int32_t>(insets.right, 0));
  const int32_t bottom =
      std::max<int32_t>(top, buffer.height - std::max<int32_t>(insets.bottom, 0));
  auto* rows = static_cast<uint8_t*>(buffer.pixels);
  for (int32_t y = top; y < bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(rows + ptrdiff_t(y) * buffer.stride);
    std::fill(row + left, row + right, rgb | 0xFF000000u);
  }
}

}  // namespace

void RunOneFrame(Instance& instance) {
  AdvanceClock(instance.scene);
  if (instance.hostAudio) FetchAudio(instance);
  if (instance.artWanted) FetchArt(instance);
  if (instance.target.kind != TargetKind::kPixelBuffer) return;
  const AudioFeed* audio = instance.hostAudio ? &instance.audio : nullptr;
  FillInsideInsets(instance.target.buffer, instance.insets,
                   LevelColour(PictureLevel(audio, instance.scene)));
}

}  // namespace refengine
