// The inner loops of the spectrum analysis: correlating a band's samples with a sine and a
// cosine at the band's frequency.
#pragma once

#include <cstdint>

struct BandSums {
  float sine = 0.0f;
  float cosine = 0.0f;
};

// Sums of samples[k]·sineWeights[k] and samples[k]·cosineWeights[k] for k < count.
BandSums CorrelateWithWeights(const float* samples, const float* sineWeights,
                              const float* cosineWeights, int32_t count);

// The same sums with the weights read from the sine table as the phase advances by phaseStep
// per sample: for bands whose weights were not prepared.
BandSums CorrelateWithTable(const float* samples, uint32_t phaseStep, int32_t count);
