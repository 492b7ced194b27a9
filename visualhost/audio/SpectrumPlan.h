// SpectrumPlan: everything about the spectrum bands that depends only on the band count, the
// parameters, the input rate and the halving threshold, worked out once and reused for every
// block while those stay the same.
//
// Besides each band's frequency, halving level and sample count, the plan holds the band's
// sine and cosine weights: the sine table entries its phase visits, laid out sample by sample
// (grouped as BandCorrelation.h describes), so that measuring a band is a plain dot product.
// The bands' weights follow each other in the order the bands are measured, highest first,
// so one computation reads them as one forward stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "visualhost/engine/EngineRecords.h"

struct SpectrumBandPlan {
  float frequency = 0.0f;  // Hz
  int32_t halvings = 0;    // times the block has been halved when this band is measured
  int32_t rate = 0;        // the block's rate at that point
  float samplesPerPeriod = 0.0f;
  float cycles = 0.0f;
  int32_t sampleCount = 0;  // samples measured when the block holds enough; 0: stays 0
  uint32_t phaseStep = 0;   // in 1/65536 of a period per sample
  // Samples the prepared weights cover (sampleCount rounded up to whole runs, the extra ones
  // first), or 0 when the band has no prepared weights.
  int32_t weightedCount = 0;
  size_t weightOffset = 0;  // where the band's grouped sine and cosine weights start
};

class SpectrumPlan {
 public:
  // Whether the plan was built for these inputs.
  bool Serves(const SpectrumParams& params, int32_t bandCount, int32_t rate,
              int32_t halvingThreshold) const;
  void Build(const SpectrumParams& params, int32_t bandCount, int32_t rate,
             int32_t halvingThreshold);

  int32_t BandCount() const { return int32_t(mBands.size()); }
  // Band n of BandCount(), 0 <= n < BandCount().
  const SpectrumBandPlan& Band(int32_t n) const { return mBands[size_t(n)]; }
  const float* Weights(const SpectrumBandPlan& band) const {
    return mWeights.data() + band.weightOffset;
  }

 private:
  void PlanBandGeometry(const SpectrumParams& params, int32_t rate, int32_t halvingThreshold);
  void PrepareWeights();

  SpectrumParams mParams{};
  int32_t mRate = 0;
  int32_t mHalvingThreshold = 0;
  std::vector<SpectrumBandPlan> mBands;
  std::vector<float> mWeights;
};
