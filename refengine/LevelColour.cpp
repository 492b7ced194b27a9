#include "refengine/LevelColour.h"

#include <algorithm>
#include <cmath>

namespace refengine {

float AudioLevel(const AudioFeed& audio) {
  const int count = std::clamp(audio.samplesDelivered, 0, AudioFeed::kSamples);
  if (count == 0) return 0.0f;
  double sum = 0;
  for (int i = 0; i < count; ++i) sum += double(audio.samples[i]) * audio.samples[i];
  const double level = std::sqrt(sum / count);
  return std::isfinite(level) ? float(std::clamp(level, 0.0, 1.0)) : 0.0f;
}

uint32_t LevelColour(float level) {
  const float clamped = std::clamp(level, 0.0f, 1.0f);
  const auto red = uint32_t(std::lround(clamped * 255.0f));
  const auto green = uint32_t(std::lround(clamped * 64.0f));
  const auto blue = uint32_t(std::lround((1.0f - clamped) * 160.0f));
  return (red << 16) | (green << 8) | blue;
}

float PictureLevel(const AudioFeed* audio, const SceneState& scene) {
  if (audio) return AudioLevel(*audio);
  return float(0.5 + 0.5 * std::sin(double(scene.animationMs) * 0.002));
}

}  // namespace refengine
