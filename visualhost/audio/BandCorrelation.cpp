#include "visualhost/audio/BandCorrelation.h"

#include <cstring>

#include "visualhost/audio/BandCorrelationKernels.h"
#include "visualhost/audio/SpectrumSineTable.h"

namespace {

// Four floats handled as one value; the compiler maps it onto whatever vector unit the
// target has, or onto plain scalar code where there is none.
typedef float Float4 __attribute__((vector_size(16)));

// Sample runs start anywhere, so every load is an unaligned one.
#define NV_LOAD_FLOAT4(target, source) std::memcpy(&(target), (source), sizeof(Float4))

typedef int32_t Int4 __attribute__((vector_size(16)));

// Vectors go by reference: passing them by value changes the ABI on targets without SSE.
float SumLanes(const Float4& v) {
  return (v[0] + v[1]) + (v[2] + v[3]);
}

void KeepLanes(Float4& values, const int32_t* keep) {
  Int4 mask, bits;
  std::memcpy(&mask, keep, sizeof(Int4));
  std::memcpy(&bits, &values, sizeof(Int4));
  bits &= mask;
  std::memcpy(&values, &bits, sizeof(Int4));
}

}  // namespace

BandSums CorrelateWithWeightsPortable(const float* samples, const float* groupedWeights,
                                      int32_t count, int32_t skipped) {
  // Four accumulators per sum keep enough independent additions in flight to hide their
  // latency: sixteen samples per round.
  Float4 sine0 = {}, sine1 = {}, sine2 = {}, sine3 = {};
  Float4 cosine0 = {}, cosine1 = {}, cosine2 = {}, cosine3 = {};
  const float* weights = groupedWeights;
  for (int32_t k = 0; k < count; k += 16, weights += 2 * kWeightGroupFloats) {
    Float4 x0, x1, x2, x3, s0, s1, s2, s3, c0, c1, c2, c3;
    NV_LOAD_FLOAT4(x0, samples + k);
    NV_LOAD_FLOAT4(x1, samples + k + 4);
    NV_LOAD_FLOAT4(x2, samples + k + 8);
    NV_LOAD_FLOAT4(x3, samples + k + 12);
    if (k == 0 && skipped > 0) {
      // Clear the skipped samples rather than rely on their zero weights: 0 × infinity is
      // not 0.
      const int32_t* keep = KeepMaskSkipping(skipped);
      KeepLanes(x0, keep);
      KeepLanes(x1, keep + 4);
      KeepLanes(x2, keep + 8);
      KeepLanes(x3, keep + 12);
    }
    NV_LOAD_FLOAT4(s0, weights);
    NV_LOAD_FLOAT4(s1, weights + 4);
    NV_LOAD_FLOAT4(c0, weights + 8);
    NV_LOAD_FLOAT4(c1, weights + 12);
    NV_LOAD_FLOAT4(s2, weights + 16);
    NV_LOAD_FLOAT4(s3, weights + 20);
    NV_LOAD_FLOAT4(c2, weights + 24);
    NV_LOAD_FLOAT4(c3, weights + 28);
    sine0 += x0 * s0;
    cosine0 += x0 * c0;
    sine1 += x1 * s1;
    cosine1 += x1 * c1;
    sine2 += x2 * s2;
    cosine2 += x2 * c2;
    sine3 += x3 * s3;
    cosine3 += x3 * c3;
  }
  BandSums sums;
  sums.sine = SumLanes((sine0 + sine1) + (sine2 + sine3));
  sums.cosine = SumLanes((cosine0 + cosine1) + (cosine2 + cosine3));
  return sums;
}

namespace {

using WeightsKernel = BandSums (*)(const float*, const float*, int32_t, int32_t);

WeightsKernel ChooseWeightsKernel() {
#if NV_HAVE_AVX2_KERNEL
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) {
    return CorrelateWithWeightsAvx2;
  }
#endif
  return CorrelateWithWeightsPortable;
}

}  // namespace

BandSums CorrelateWithWeights(const float* samples, const float* groupedWeights, int32_t count,
                              int32_t skipped) {
  // Chosen once per process: the processor does not change under us.
  static const WeightsKernel kernel = ChooseWeightsKernel();
  return kernel(samples, groupedWeights, count, skipped);
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
