#include "visualhost/SpectrumPlan.h"

#include <algorithm>
#include <cstring>

#include "visualhost/SpectrumBands.h"
#include "visualhost/SpectrumSineTable.h"

namespace {

// Weights beyond this many floats (8 MB) are not prepared; those bands read the sine table
// as they go. Usual parameters need a small fraction of it even for 1024 bands.
constexpr size_t kWeightBudget = size_t(1) << 21;

// Each weight run starts on a 16-float (64-byte) boundary, so runs do not share cache lines.
constexpr size_t kWeightAlignment = 16;

size_t PaddedLength(int32_t count) {
  return (size_t(count) + kWeightAlignment - 1) / kWeightAlignment * kWeightAlignment;
}

// Whether a block at `rate` is halved before measuring a band at `frequency`: while it has at
// least `threshold` samples per period of the band (whole samples per whole Hz).
bool NeedsHalving(int32_t rate, float frequency, int32_t threshold) {
  if (rate <= 0 || !(frequency >= 1.0f)) return false;
  const int32_t perPeriod = frequency > float(rate) ? 0 : rate / int32_t(frequency);
  return perPeriod >= threshold;
}

}  // namespace

bool SpectrumPlan::Serves(const SpectrumParams& params, int32_t bandCount, int32_t rate,
                          int32_t halvingThreshold, int32_t count) const {
  // Bytewise, so that NaN parameters still match themselves and are not rebuilt each call.
  return std::memcmp(&params, &mParams, sizeof(SpectrumParams)) == 0 && bandCount == BandCount() &&
         rate == mRate && halvingThreshold == mHalvingThreshold &&
         (mServesAnyCount || count <= mPreparedCount);
}

void SpectrumPlan::Build(const SpectrumParams& params, int32_t bandCount, int32_t rate,
                         int32_t halvingThreshold, int32_t count) {
  mParams = params;
  mRate = rate;
  mHalvingThreshold = halvingThreshold;
  mBands.assign(size_t(std::max(bandCount, 0)), SpectrumBandPlan{});
  PlanBandGeometry(params, rate, halvingThreshold);
  PrepareWeights(count);
}

void SpectrumPlan::PlanBandGeometry(const SpectrumParams& params, int32_t rate,
                                    int32_t halvingThreshold) {
  // Highest band first, halving as the bands go down, exactly as the analysis walks them.
  int32_t halvings = 0;
  int32_t levelRate = rate;
  for (int32_t n = BandCount() - 1; n >= 0; --n) {
    SpectrumBandPlan& band = mBands[size_t(n)];
    band.frequency = BandFrequency(params, n, BandCount());
    while (NeedsHalving(levelRate, band.frequency, halvingThreshold)) {
      levelRate /= 2;
      ++halvings;
    }
    band.halvings = halvings;
    band.rate = levelRate;
    band.sampleCount = BandSampleCount(params, band.frequency, levelRate, 0);
    if (band.sampleCount > 0) {
      band.samplesPerPeriod = float(levelRate) / band.frequency;
      band.cycles = BandCycles(params, band.frequency);
      band.phaseStep = uint32_t(int32_t(band.frequency * 65536.0f / float(levelRate)));
    }
  }
}

void SpectrumPlan::PrepareWeights(int32_t count) {
  mPreparedCount = std::max(count, 0);
  mServesAnyCount = true;
  size_t total = 0;
  for (SpectrumBandPlan& band : mBands) {
    // A block never holds more than its halved count, so no band needs more weights.
    const int32_t available = band.halvings < 31 ? mPreparedCount >> band.halvings : 0;
    band.weightCount = std::min(band.sampleCount, available);
    if (total + 2 * PaddedLength(band.weightCount) > kWeightBudget) band.weightCount = 0;
    band.sineOffset = total;
    band.cosineOffset = total + PaddedLength(band.weightCount);
    total += 2 * PaddedLength(band.weightCount);
    if (band.weightCount < band.sampleCount) mServesAnyCount = false;
  }
  mWeights.assign(total, 0.0f);
  const float* table = SpectrumSineTable();
  for (const SpectrumBandPlan& band : mBands) {
    float* sine = mWeights.data() + band.sineOffset;
    float* cosine = mWeights.data() + band.cosineOffset;
    for (int32_t k = 0; k < band.weightCount; ++k) {
      sine[k] = table[SineIndexAt(uint32_t(k), band.phaseStep)];
      cosine[k] = table[CosineIndexAt(uint32_t(k), band.phaseStep)];
    }
  }
}
