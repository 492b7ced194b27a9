#include "visualhost/audio/BandCorrelationKernels.h"

#if NV_HAVE_AVX2_KERNEL

#include <immintrin.h>

#define NV_AVX2_TARGET __attribute__((target("avx2,fma")))

namespace {

NV_AVX2_TARGET float SumLanes(__m256 v) {
  const __m128 pairs = _mm_add_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
  const __m128 halves = _mm_add_ps(pairs, _mm_movehl_ps(pairs, pairs));
  return _mm_cvtss_f32(_mm_add_ss(halves, _mm_shuffle_ps(halves, halves, 1)));
}

}  // namespace

NV_AVX2_TARGET BandSums CorrelateWithWeightsAvx2(const float* samples, const float* groupedWeights,
                                                 int32_t count, int32_t skipped) {
  // Bands are short (a few hundred samples), so the chains of dependent additions, not the
  // loads, set the pace: four accumulators per sum, 32 samples per round, then at most one
  // round of 16.
  __m256 sine[4] = {_mm256_setzero_ps(), _mm256_setzero_ps(), _mm256_setzero_ps(),
                    _mm256_setzero_ps()};
  __m256 cosine[4] = {_mm256_setzero_ps(), _mm256_setzero_ps(), _mm256_setzero_ps(),
                      _mm256_setzero_ps()};
  const float* weights = groupedWeights;
  __m256 x0 = _mm256_loadu_ps(samples);
  __m256 x1 = _mm256_loadu_ps(samples + 8);
  if (skipped > 0) {
    // Clear the skipped samples rather than rely on their zero weights: 0 × infinity is
    // not 0.
    const int32_t* keep = KeepMaskSkipping(skipped);
    x0 = _mm256_and_ps(
        x0, _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(keep))));
    x1 = _mm256_and_ps(
        x1, _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(keep + 8))));
  }
  int32_t k = 0;
  for (;;) {
    // x0 and x1 hold samples k .. k + 15.
    sine[0] = _mm256_fmadd_ps(x0, _mm256_loadu_ps(weights), sine[0]);
    cosine[0] = _mm256_fmadd_ps(x0, _mm256_loadu_ps(weights + 8), cosine[0]);
    sine[1] = _mm256_fmadd_ps(x1, _mm256_loadu_ps(weights + 16), sine[1]);
    cosine[1] = _mm256_fmadd_ps(x1, _mm256_loadu_ps(weights + 24), cosine[1]);
    if (k + 32 > count) break;
    const __m256 x2 = _mm256_loadu_ps(samples + k + 16);
    const __m256 x3 = _mm256_loadu_ps(samples + k + 24);
    sine[2] = _mm256_fmadd_ps(x2, _mm256_loadu_ps(weights + 32), sine[2]);
    cosine[2] = _mm256_fmadd_ps(x2, _mm256_loadu_ps(weights + 40), cosine[2]);
    sine[3] = _mm256_fmadd_ps(x3, _mm256_loadu_ps(weights + 48), sine[3]);
    cosine[3] = _mm256_fmadd_ps(x3, _mm256_loadu_ps(weights + 56), cosine[3]);
    k += 32;
    weights += 4 * kWeightGroupFloats;
    if (k >= count) break;
    x0 = _mm256_loadu_ps(samples + k);
    x1 = _mm256_loadu_ps(samples + k + 8);
  }
  BandSums sums;
  sums.sine =
      SumLanes(_mm256_add_ps(_mm256_add_ps(sine[0], sine[1]), _mm256_add_ps(sine[2], sine[3])));
  sums.cosine = SumLanes(
      _mm256_add_ps(_mm256_add_ps(cosine[0], cosine[1]), _mm256_add_ps(cosine[2], cosine[3])));
  return sums;
}

#endif
