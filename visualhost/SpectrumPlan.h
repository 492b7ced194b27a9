// SpectrumPlan: everything about the spectrum bands that depends only on the band count, the
// parameters, the input rate and the halving threshold, worked out once and reused for every
// block while those stay the same.
//
// Besides each band's frequency, halving level and sample count, the plan holds the band's
// sine and cosine weights: the sine table entries its phase visits, laid out sample by sample,
// so that measuring a band is a plain dot product.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "visualhost/EngineRecords.h"

struct SpectrumBandPlan {
  float frequency = 0.0f;  // Hz
  int32_t halvings = 0;    // times the block has been halved when this band is measured
  int32_t rate = 0;        // the block's rate at that point
  float samplesPerPeriod = 0.0f;
  float cycles = 0.0f;
  int32_t sampleCount = 0;  // samples measured when the block holds enough; 0: stays 0
  uint32_t phaseStep = 0;   // in 1/65536 of a period per sample
  int32_t weightCount = 0;  // weights prepared: a prefix of sampleCount, 0 for none
  size_t sineOffset = 0;    // where the band's sine weights start
  size_t cosineOffset = 0;  // where the band's cosine weights start
};

class SpectrumPlan {
 public:
  // Whether the plan answers these inputs for a block of `count` samples. A block larger than
  // the one the plan was prepared for may need weights the plan lacks.
  bool Serves(const SpectrumParams& params, int32_t bandCount, int32_t rate,
              int32_t halvingThreshold, int32_t count) const;
  void Build(const SpectrumParams& params, int32_t bandCount, int32_t rate,
             int32_t halvingThreshold, int32_t count);

  int32_t BandCount() const { return int32_t(mBands.size()); }
  // Band n of BandCount(), 0 <= n < BandCount().
  const SpectrumBandPlan& Band(int32_t n) const { return mBands[size_t(n)]; }
  const float* SineWeights(const SpectrumBandPlan& band) const {
    return mWeights.data() + band.sineOffset;
  }
  const float* CosineWeights(const SpectrumBandPlan& band) const {
    return mWeights.data() + band.cosineOffset;
  }

 private:
  void PlanBandGeometry(const SpectrumParams& params, int32_t rate, int32_t halvingThreshold);
  void PrepareWeights(int32_t count);

  SpectrumParams mParams{};
  int32_t mRate = 0;
  int32_t mHalvingThreshold = 0;
  int32_t mPreparedCount = 0;
  bool mServesAnyCount = false;  // every band has all its weights, whatever the block size
  std::vector<SpectrumBandPlan> mBands;
  std::vector<float> mWeights;
};
