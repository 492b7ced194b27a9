// FloatSampleView: the newest samples of a block as floats, converting 16-bit samples only
// as far back as the bands ask for and only once per halving level.
#pragma once

#include <cstdint>
#include <vector>

#include "visualhost/audio/SampleBlock.h"

class FloatSampleView {
 public:
  // Starts over for the block's current samples; call again after the block changes.
  void Reset(const SampleBlock& block);
  // The newest n samples, 0 < n <= the block's count, oldest first.
  const float* Newest(int32_t n);

 private:
  const SampleBlock* mBlock = nullptr;
  std::vector<float> mConverted;  // sample i of the block at index i
  int32_t mConvertedFrom = 0;     // samples from this index on are converted
};
