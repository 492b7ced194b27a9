// The inner loops of the spectrum analysis: correlating a band's samples with a sine and a
// cosine at the band's frequency.
#pragma once

#include <cstdint>

struct BandSums {
  float sine = 0.0f;
  float cosine = 0.0f;
};

// Prepared weights are laid out in groups of eight samples, eight sine weights followed by the
// eight cosine weights of the same samples, so that a band's weights are one forward stream.
// A run of weights covers a multiple of kWeightRunSamples samples.
constexpr int32_t kWeightGroupSamples = 8;
constexpr int32_t kWeightGroupFloats = 2 * kWeightGroupSamples;
constexpr int32_t kWeightRunSamples = 16;

// Samples a run of weights covers for a band of count samples: count rounded up to whole
// runs. The extra samples come first and are skipped.
inline int32_t WeightedSampleCount(int32_t count) {
  return (count + kWeightRunSamples - 1) / kWeightRunSamples * kWeightRunSamples;
}

// Floats a run of grouped weights for count samples takes.
inline int32_t GroupedWeightFloats(int32_t count) {
  return count / kWeightGroupSamples * kWeightGroupFloats;
}

// Sums of samples[k]·sine weight k and samples[k]·cosine weight k for skipped <= k < count,
// with the weights grouped as above. count is a multiple of kWeightRunSamples and skipped is
// below it; skipped samples are read but never counted, whatever value they hold.
BandSums CorrelateWithWeights(const float* samples, const float* groupedWeights, int32_t count,
                              int32_t skipped);

// The sums for k < count with the weights read from the sine table as the phase advances by
// phaseStep per sample: for bands without prepared weights, or measured on fewer samples
// than planned because the block is short.
BandSums CorrelateWithTable(const float* samples, uint32_t phaseStep, int32_t count);
