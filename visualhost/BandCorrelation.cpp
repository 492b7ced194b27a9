#include "visualhost/BandCorrelation.h"

#include <cstring>

#include "visualhost/SpectrumSineTable.h"

namespace {

// Four floats handled as one value; the compiler maps it onto whatever vector unit the
// target has, or onto plain scalar code where there is none.
typedef float Float4 __attribute__((vector_size(16)));

// Sample runs start anywhere, so every load is an unaligned one.
#define NV_LOAD_FLOAT4(target, source) std::memcpy(&(target), (source), sizeof(Float4))

float SumLanes(Float4 v) {
  return (v[0] + v[1]) + (v[2] + v[3]);
}

}  // namespace

BandSums CorrelateWithWeights(const float* samples, const float* sineWeights,
                              const float* cosineWeights, int32_t count) {
  // Two accumulators per sum keep two independent chains of additions in flight.
  Float4 sine0 = {}, sine1 = {}, cosine0 = {}, cosine1 = {};
  int32_t k = 0;
  for (; k + 8 <= count; k += 8) {
    Float4 x0, x1, s0, s1, c0, c1;
    NV_LOAD_FLOAT4(x0, samples + k);
    NV_LOAD_FLOAT4(x1, samples + k + 4);
    NV_LOAD_FLOAT4(s0, sineWeights + k);
    NV_LOAD_FLOAT4(s1, sineWeights + k + 4);
    NV_LOAD_FLOAT4(c0, cosineWeights + k);
    NV_LOAD_FLOAT4(c1, cosineWeights + k + 4);
    sine0 += x0 * s0;
    sine1 += x1 * s1;
    cosine0 += x0 * c0;
    cosine1 += x1 * c1;
  }
  BandSums sums;
  sums.sine = SumLanes(sine0 + sine1);
  sums.cosine = SumLanes(cosine0 + cosine1);
  for (; k < count; ++k) {
    sums.sine += samples[k] * sineWeights[k];
    sums.cosine += samples[k] * cosineWeights[k];
  }
  return sums;
}

BandSums CorrelateWithTable(const float* samples, uint32_t phaseStep, int32_t count) {
  const float* table = SpectrumSineTable();
  double sine = 0.0;
  double cosine = 0.0;
  for (int32_t k = 0; k < count; ++k) {
    sine += samples[k] * table[SineIndexAt(uint32_t(k), phaseStep)];
    cosine += samples[k] * table[CosineIndexAt(uint32_t(k), phaseStep)];
  }
  return BandSums{float(sine), float(cosine)};
}
