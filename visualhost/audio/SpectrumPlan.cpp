#include "visualhost/audio/SpectrumPlan.h"

#include <algorithm>
#include <cstring>

#include "visualhost/audio/BandCorrelation.h"
#include "visualhost/audio/SpectrumBands.h"
#include "visualhost/audio/SpectrumSineTable.h"

namespace {

// Weights beyond this many floats (8 MB) are not prepared; those bands read the sine table
// as they go. Usual parameters need a small fraction of it even for 1024 bands.
constexpr size_t kWeightBudget = size_t(1) << 21;

// Each band's weights start on a 16-float (64-byte) boundary, a cache line on common machines.
constexpr size_t kWeightAlignment = 16;

// Floats a band's weights take, rounded up to the alignment.
size_t AlignedLength(int32_t weightedCount) {
  const size_t floats = size_t(GroupedWeightFloats(weightedCount));
  return (floats + kWeightAlignment - 1) / kWeightAlignment * kWeightAlignment;
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
                          int32_t halvingThreshold) const {
  // Bytewise, so that NaN parameters still match themselves and are not rebuilt each call.
  return std::memcmp(&params, &mParams, sizeof(SpectrumParams)) == 0 && bandCount == BandCount() &&
         rate == mRate && halvingThreshold == mHalvingThreshold;
}

void SpectrumPlan::Build(const SpectrumParams& params, int32_t bandCount, int32_t rate,
                         int32_t halvingThreshold) {
  mParams = params;
  mRate = rate;
  mHalvingThreshold = halvingThreshold;
  mBands.assign(size_t(std::max(bandCount, 0)), SpectrumBandPlan{});
  PlanBandGeometry(params, rate, halvingThreshold);
  PrepareWeights();
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

void SpectrumPlan::PrepareWeights() {
  size_t total = 0;
  for (int32_t n = BandCount() - 1; n >= 0; --n) {
    SpectrumBandPlan& band = mBands[size_t(n)];
    band.weightedCount = WeightedSampleCount(band.sampleCount);
    if (total + AlignedLength(band.weightedCount) > kWeightBudget) band.weightedCount = 0;
    band.weightOffset = total;
    total += AlignedLength(band.weightedCount);
  }
  mWeights.assign(total, 0.0f);
  const float* table = SpectrumSineTable();
  for (const SpectrumBandPlan& band : mBands) {
    if (band.weightedCount == 0) continue;  // measured from the table instead
    // The extra samples of the run come first and keep zero weights.
    const int32_t skipped = band.weightedCount - band.sampleCount;
    float* groups = mWeights.data() + band.weightOffset;
    for (int32_t j = skipped; j < band.weightedCount; ++j) {
      const uint32_t k = uint32_t(j - skipped);
      float* group = groups + j / kWeightGroupSamples * kWeightGroupFloats;
      group[j % kWeightGroupSamples] = table[SineIndexAt(k, band.phaseStep)];
      group[kWeightGroupSamples + j % kWeightGroupSamples] =
          table[CosineIndexAt(k, band.phaseStep)];
    }
  }
}
