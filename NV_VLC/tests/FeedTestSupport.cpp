#include "NV_VLC/tests/FeedTestSupport.h"

#include <cmath>
#include <numbers>

namespace feed_test {

Request::Request(int64_t timeMs, int32_t sampleCount, int32_t bandCount)
    : samples(static_cast<size_t>(sampleCount > 0 ? sampleCount : 0)),
      bands(static_cast<size_t>(bandCount > 0 ? bandCount : 0)) {
  params.low = 60.0f;
  params.high = 8000.0f;
  params.maxCycles = 8.0f;
  params.minSeconds = 0.02f;
  params.maxSeconds = 0.07f;
  record.size = sizeof(AudioRequest);
  record.samplesWanted = sampleCount;
  record.samples = samples.data();
  record.bandsWanted = bandCount;
  record.spectrumParams = bandCount > 0 ? &params : nullptr;
  record.bands = bands.data();
  record.requestTimeMs = timeMs;
}

std::vector<float> Frames(int32_t frames, int32_t channels, float (*value)(int32_t),
                          int32_t silentSlot, float otherValue) {
  std::vector<float> result;
  for (int32_t f = 0; f < frames; ++f) {
    for (int32_t c = 0; c < channels; ++c) result.push_back(c == silentSlot ? otherValue : value(f));
  }
  return result;
}

std::vector<float> Tone(int32_t frames, int32_t channels, int32_t rate, float frequency,
                        float amplitude) {
  std::vector<float> result;
  for (int32_t f = 0; f < frames; ++f) {
    const float value =
        amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * frequency * f / rate));
    for (int32_t c = 0; c < channels; ++c) result.push_back(value);
  }
  return result;
}

}  // namespace feed_test
