// The audio an instance asks its host for with 'GetS': the request record and the buffers
// the host fills, which the engine owns.
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"

namespace refengine {

struct AudioFeed {
  static constexpr int kSamples = 512;
  static constexpr int kBands = 64;

  float samples[kSamples] = {};
  float bands[kBands] = {};
  int samplesDelivered = 0;
  int bandsDelivered = 0;
  // Logarithmic bands from 60 Hz up, the spacing the picture's bars expect.
  SpectrumParams params{60.0f, 16000.0f, 8.0f, 0.02f, 0.07f, 0};
};

}  // namespace refengine
