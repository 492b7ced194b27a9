#include "visualhost/audio/SpectrumBands.h"

#include <algorithm>
#include <cmath>

namespace {

// Fewer samples per period than this cannot tell a band from its neighbours.
constexpr float kMinSamplesPerPeriod = 4.0f;

// Keeps sample counts far from the int32 limit, so that extreme parameters can neither
// overflow the conversion nor the index arithmetic that follows.
constexpr float kMaxBandSamples = float(1 << 30);

}  // namespace

float BandFrequency(const SpectrumParams& params, int32_t n, int32_t bandCount) {
  if (bandCount <= 0 || n < 0 || n >= bandCount) return 0.0f;
  const float t = float(n) / float(bandCount);
  float frequency;
  if (params.linear != 0) {
    frequency = params.low + (params.high - params.low) * t;
  } else {
    frequency = params.low * std::exp2(std::log2(params.high / params.low) * t);
  }
  frequency = std::round(frequency);
  return std::isfinite(frequency) ? frequency : 0.0f;
}

float BandCycles(const SpectrumParams& params, float frequency) {
  const float fromMinimum = std::ceil(frequency * params.minSeconds);
  const float fromMaximum = std::floor(frequency * params.maxSeconds);
  return std::max(fromMinimum, std::min(fromMaximum, std::round(params.maxCycles)));
}

int32_t BandSampleCount(const SpectrumParams& params, float frequency, int32_t rate,
                        int32_t available) {
  if (!(frequency > 0.0f) || rate <= 0) return 0;
  const float period = float(rate) / frequency;
  if (!(period >= kMinSamplesPerPeriod)) return 0;
  const float count = BandCycles(params, frequency) * period;
  // NaN and negative counts (from unusable parameters) measure nothing.
  if (!(count >= 1.0f)) return 0;
  int32_t samples = int32_t(std::min(count, kMaxBandSamples));
  if (available > 0 && samples > available) {
    samples = int32_t(std::floor(float(available) / period) * period);
  }
  return samples;
}

int32_t MinimumSamples(const SpectrumParams& params, int32_t rate) {
  return BandSampleCount(params, params.low, rate, 0);
}
