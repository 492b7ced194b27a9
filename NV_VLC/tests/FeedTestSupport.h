// Requests and signals for the feed tests.
#pragma once

#include <cstdint>
#include <vector>

#include "NV_VLC/AudioFeed.h"
#include "NV_VLC/CountedRef.h"
#include "visualhost/engine/EngineRecords.h"

namespace feed_test {

// An engine request with buffers of its own.
struct Request {
  Request(int64_t timeMs, int32_t samples, int32_t bands = 0);
  Request(const Request&) = delete;
  Request& operator=(const Request&) = delete;

  AudioRequest record{};
  std::vector<float> samples;
  std::vector<float> bands;
  SpectrumParams params{};
};

inline CountedRef<AudioFeed> MakeFeed(int32_t rate, int32_t channels, int32_t lfeSlot = -1) {
  return CountedRef<AudioFeed>::Adopt(new AudioFeed(rate, channels, lfeSlot));
}

// Interleaved frames whose every channel but `silentSlot` carries `value(frame)`, and whose
// silent slot carries `otherValue`.
std::vector<float> Frames(int32_t frames, int32_t channels, float (*value)(int32_t frame),
                          int32_t silentSlot = -1, float otherValue = 0.0f);

// Interleaved sine of the given frequency on every channel.
std::vector<float> Tone(int32_t frames, int32_t channels, int32_t rate, float frequency,
                        float amplitude);

}  // namespace feed_test
