// SpectrumAnalyzer: spectrum bands from the mono samples of a player that gives no spectrum.
//
// Each band is a single-frequency correlation of the newest samples with a sine and a cosine
// at the band's centre frequency, over a whole number of periods (so no window is needed).
// Low bands are measured on a block halved in rate until a period spans fewer than the
// halving threshold in samples, which keeps the work per band near cycles × threshold samples.
//
// An analyzer and its blocks belong to one thread.
#pragma once

#include <cstdint>

#include <vector>

#include "visualhost/audio/BandCorrelation.h"
#include "visualhost/engine/EngineRecords.h"
#include "visualhost/audio/FloatSampleView.h"
#include "visualhost/audio/SampleBlock.h"
#include "visualhost/audio/SpectrumPlan.h"

class SpectrumAnalyzer {
 public:
  static constexpr int32_t kDefaultHalvingThreshold = 16;

  int32_t HalvingThreshold() const { return mHalvingThreshold; }
  void SetHalvingThreshold(int32_t samplesPerPeriod) { mHalvingThreshold = samplesPerPeriod; }
  // Band count of the last Compute.
  int32_t BandCount() const { return mBandCount; }
  // The band layout the last Compute used (empty before the first one with samples).
  const SpectrumPlan& Plan() const { return mPlan; }

  // Writes bandCount band values to destination, highest band last. Bands that cannot be
  // measured stay 0; an empty block gives all 0; bandCount <= 0 writes nothing. The block is
  // halved as the low bands need it (the caller's samples are never written).
  void Compute(SampleBlock& block, const SpectrumParams& params, int32_t bandCount,
               float* destination);

 private:
  // A band's correlation sums with the block scale and sample count they were taken with.
  struct MeasuredBand {
    BandSums sums;
    float scale = 0.0f;
    int32_t count = 0;
  };

  void MeasureBands(SampleBlock& block, const SpectrumParams& params, float* destination);
  BandSums Correlate(const SampleBlock& block, const SpectrumBandPlan& band, int32_t count);

  int32_t mHalvingThreshold = kDefaultHalvingThreshold;
  int32_t mBandCount = 0;
  SpectrumPlan mPlan;
  FloatSampleView mView;
  std::vector<MeasuredBand> mMeasured;
};
