#include "visualhost/tests/SpectrumTestSupport.h"

#include <cmath>
#include <numbers>

#include "visualhost/audio/SpectrumBands.h"
#include "visualhost/audio/SpectrumSineTable.h"

namespace spectrum_test {

std::vector<float> Sine(int32_t count, float frequency, float amplitude, double phase) {
  std::vector<float> samples(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    samples[size_t(i)] =
        amplitude * float(std::sin(2.0 * std::numbers::pi * frequency * i / kRate + phase));
  }
  return samples;
}

std::vector<float> Noise(int32_t count, float amplitude, uint32_t seed) {
  std::vector<float> samples(static_cast<size_t>(count));
  uint32_t state = seed;
  for (float& sample : samples) {
    state = state * 1664525u + 1013904223u;
    sample = amplitude * (float(state >> 8) / float(1 << 23) - 1.0f);
  }
  return samples;
}

std::vector<int16_t> ToInt16(const std::vector<float>& samples) {
  std::vector<int16_t> result;
  for (float sample : samples) result.push_back(int16_t(std::lround(sample)));
  return result;
}

namespace {

float ReferenceBandValue(const SampleBlock& block, float frequency, int32_t count) {
  const float* table = SpectrumSineTable();
  const uint32_t phaseStep = uint32_t(int32_t(frequency * 65536.0f / float(block.Rate())));
  const int32_t start = count > block.Count() ? 0 : block.Count() - count;
  double sine = 0.0;
  double cosine = 0.0;
  for (int32_t k = 0; k < count; ++k) {
    const float x = block.Int16Samples() != nullptr ? float(block.Int16Samples()[start + k])
                                                    : block.FloatSamples()[start + k];
    const uint32_t phase = uint32_t(k) * phaseStep;
    sine += x * table[(phase >> 8) & 0xFF];
    cosine += x * table[((phase + 16384) >> 8) & 0xFF];
  }
  const float s = float(sine);
  const float c = float(cosine);
  return std::sqrt(s * s + c * c) * block.Scale() / float(count);
}

}  // namespace

std::vector<float> ReferenceBands(SampleBlock block, const SpectrumParams& params,
                                  int32_t bandCount, int32_t halvingThreshold) {
  std::vector<float> bands(size_t(bandCount), 0.0f);
  for (int32_t n = bandCount - 1; n >= 0; --n) {
    const float frequency = BandFrequency(params, n, bandCount);
    while (frequency >= 1.0f && block.Rate() / int32_t(frequency) >= halvingThreshold) {
      block.Halve();
    }
    const int32_t count = BandSampleCount(params, frequency, block.Rate(), block.Count());
    if (count > 0 && block.Count() > 0) {
      bands[size_t(n)] = ReferenceBandValue(block, frequency, count);
    }
  }
  return bands;
}

}  // namespace spectrum_test
