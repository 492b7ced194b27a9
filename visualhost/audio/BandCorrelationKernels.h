// The variants of the weighted band correlation, one per instruction set, behind
// CorrelateWithWeights (BandCorrelation.h), which picks the best one the processor runs.
#pragma once

#include <cstdint>

#include "visualhost/audio/BandCorrelation.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define NV_HAVE_AVX2_KERNEL 1
#else
#define NV_HAVE_AVX2_KERNEL 0
#endif

// Plain C++ with four-float vectors, which every target compiles.
BandSums CorrelateWithWeightsPortable(const float* samples, const float* groupedWeights,
                                      int32_t count, int32_t skipped);

#if NV_HAVE_AVX2_KERNEL
// Eight-float vectors with fused multiply-add; only for processors with AVX2 and FMA.
BandSums CorrelateWithWeightsAvx2(const float* samples, const float* groupedWeights, int32_t count,
                                  int32_t skipped);
#endif

// Sixteen cleared lanes, then sixteen kept ones: the kWeightRunSamples entries from
// KeepMaskSkipping(n) clear the first n lanes of a run and keep the others.
inline const int32_t* KeepMaskSkipping(int32_t skipped) {
  static constexpr int32_t kKeepFromLane[2 * kWeightRunSamples] = {
      0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
      -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  return kKeepFromLane + kWeightRunSamples - skipped;
}
