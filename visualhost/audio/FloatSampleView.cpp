#include "visualhost/audio/FloatSampleView.h"

void FloatSampleView::Reset(const SampleBlock& block) {
  mBlock = &block;
  mConvertedFrom = block.Count();
  if (block.Int16Samples() != nullptr && mConverted.size() < size_t(block.Count())) {
    mConverted.resize(size_t(block.Count()));
  }
}

const float* FloatSampleView::Newest(int32_t n) {
  const int32_t start = mBlock->Count() - n;
  const int16_t* samples = mBlock->Int16Samples();
  if (samples == nullptr) return mBlock->FloatSamples() + start;
  for (int32_t i = start; i < mConvertedFrom; ++i) mConverted[size_t(i)] = float(samples[i]);
  if (start < mConvertedFrom) mConvertedFrom = start;
  return mConverted.data() + start;
}
