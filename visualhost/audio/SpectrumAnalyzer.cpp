#include "visualhost/audio/SpectrumAnalyzer.h"

#include <algorithm>
#include <cmath>

#include "visualhost/audio/BandCorrelation.h"
#include "visualhost/audio/SpectrumBands.h"

void SpectrumAnalyzer::Compute(SampleBlock& block, const SpectrumParams& params, int32_t bandCount,
                               float* destination) {
  if (bandCount <= 0 || destination == nullptr) return;
  mBandCount = bandCount;
  std::fill_n(destination, bandCount, 0.0f);
  if (block.Count() <= 0 || !block.HasSamples()) return;
  try {
    if (!mPlan.Serves(params, bandCount, block.Rate(), mHalvingThreshold)) {
      mPlan.Build(params, bandCount, block.Rate(), mHalvingThreshold);
    }
    MeasureBands(block, params, destination);
  } catch (...) {
    // Out of memory for the plan: report silence rather than let it reach the engine.
    std::fill_n(destination, bandCount, 0.0f);
  }
}

void SpectrumAnalyzer::MeasureBands(SampleBlock& block, const SpectrumParams& params,
                                    float* destination) {
  // Highest band first: the block is only ever halved further as the bands go down. The
  // square roots wait for a second pass, so that no band waits for the one before it.
  mMeasured.assign(size_t(mPlan.BandCount()), MeasuredBand{});
  int32_t halvings = 0;
  mView.Reset(block);
  for (int32_t n = mPlan.BandCount() - 1; n >= 0; --n) {
    const SpectrumBandPlan& band = mPlan.Band(n);
    for (; halvings < band.halvings; ++halvings) {
      block.Halve();
      mView.Reset(block);
    }
    if (band.sampleCount <= 0 || block.Count() <= 0) continue;
    // The planned count stands unless the block is too short for it.
    const int32_t count =
        band.sampleCount <= block.Count()
            ? band.sampleCount
            : std::min(BandSampleCount(params, band.frequency, block.Rate(), block.Count()),
                       block.Count());
    if (count > 0) mMeasured[size_t(n)] = {Correlate(block, band, count), block.Scale(), count};
  }
  for (int32_t n = 0; n < mPlan.BandCount(); ++n) {
    const MeasuredBand& measured = mMeasured[size_t(n)];
    if (measured.count <= 0) continue;
    const BandSums& sums = measured.sums;
    destination[n] = std::sqrt(sums.sine * sums.sine + sums.cosine * sums.cosine) * measured.scale /
                     float(measured.count);
  }
}

BandSums SpectrumAnalyzer::Correlate(const SampleBlock& block, const SpectrumBandPlan& band,
                                     int32_t count) {
  if (count == band.sampleCount && band.weightedCount > 0 && band.weightedCount <= block.Count()) {
    // The planned stretch, read from a few samples earlier so that it is whole runs long.
    return CorrelateWithWeights(mView.Newest(band.weightedCount), mPlan.Weights(band),
                                band.weightedCount, band.weightedCount - count);
  }
  return CorrelateWithTable(mView.Newest(count), band.phaseStep, count);
}
