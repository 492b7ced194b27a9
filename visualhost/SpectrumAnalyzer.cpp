#include "visualhost/SpectrumAnalyzer.h"

#include <algorithm>
#include <cmath>

#include "visualhost/BandCorrelation.h"
#include "visualhost/SpectrumBands.h"

void SpectrumAnalyzer::Compute(SampleBlock& block, const SpectrumParams& params, int32_t bandCount,
                               float* destination) {
  if (bandCount <= 0 || destination == nullptr) return;
  mBandCount = bandCount;
  std::fill_n(destination, bandCount, 0.0f);
  if (block.Count() <= 0 || !block.HasSamples()) return;
  try {
    if (!mPlan.Serves(params, bandCount, block.Rate(), mHalvingThreshold, block.Count())) {
      mPlan.Build(params, bandCount, block.Rate(), mHalvingThreshold, block.Count());
    }
    MeasureBands(block, params, destination);
  } catch (...) {
    // Out of memory for the plan: report silence rather than let it reach the engine.
    std::fill_n(destination, bandCount, 0.0f);
  }
}

void SpectrumAnalyzer::MeasureBands(SampleBlock& block, const SpectrumParams& params,
                                    float* destination) {
  // Highest band first: the block is only ever halved further as the bands go down.
  int32_t halvings = 0;
  mView.Reset(block);
  for (int32_t n = mPlan.BandCount() - 1; n >= 0; --n) {
    const SpectrumBandPlan& band = mPlan.Band(n);
    for (; halvings < band.halvings; ++halvings) {
      block.Halve();
      mView.Reset(block);
    }
    if (band.sampleCount <= 0 || block.Count() <= 0) continue;
    const int32_t count = std::min(
        BandSampleCount(params, band.frequency, block.Rate(), block.Count()), block.Count());
    if (count > 0) destination[n] = MeasureBand(block, band, count);
  }
}

float SpectrumAnalyzer::MeasureBand(const SampleBlock& block, const SpectrumBandPlan& band,
                                    int32_t count) {
  const float* samples = mView.Newest(count);
  const BandSums sums =
      count <= band.weightCount
          ? CorrelateWithWeights(samples, mPlan.SineWeights(band), mPlan.CosineWeights(band), count)
          : CorrelateWithTable(samples, band.phaseStep, count);
  return std::sqrt(sums.sine * sums.sine + sums.cosine * sums.cosine) * block.Scale() /
         float(count);
}
