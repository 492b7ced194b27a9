// Signals, parameters and the reference band computation shared by the spectrum tests.
#pragma once

#include <cstdint>
#include <vector>

#include "visualhost/engine/EngineRecords.h"
#include "visualhost/audio/SampleBlock.h"

namespace spectrum_test {

constexpr int32_t kRate = 22050;

// The parameters the VirtualDJ host uses.
inline SpectrumParams VirtualDJParams() {
  SpectrumParams params{};
  params.low = 120.0f;
  params.high = 8000.0f;
  params.maxCycles = 8.0f;
  params.minSeconds = 0.02f;
  params.maxSeconds = 0.07f;
  params.linear = 0;
  return params;
}

// amplitude · sin(2π·frequency·i/rate + phase) for i < count.
std::vector<float> Sine(int32_t count, float frequency, float amplitude, double phase = 0.3);
// Reproducible noise in [-amplitude, amplitude).
std::vector<float> Noise(int32_t count, float amplitude, uint32_t seed);
std::vector<int16_t> ToInt16(const std::vector<float>& samples);

// The band values computed the plain way: for every band, halve the block as far as the band
// needs, then correlate its newest samples with the sine table in double precision.
std::vector<float> ReferenceBands(SampleBlock block, const SpectrumParams& params,
                                  int32_t bandCount, int32_t halvingThreshold = 16);

}  // namespace spectrum_test
