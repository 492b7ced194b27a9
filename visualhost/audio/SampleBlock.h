// SampleBlock: a view of a run of mono samples, oldest first, that the spectrum analysis may
// reduce to half its rate as often as a band needs.
//
// The samples are 16-bit or float. A block usually starts out borrowing the caller's samples;
// the first change copies them into the block's own reference-counted storage, so the
// caller's samples are never written. Copies of a block share that storage until one of them
// changes it.
#pragma once

#include <cstdint>

#include "utility/UtilStr.h"

class SampleBlock {
 public:
  SampleBlock() = default;

  // Views of the caller's samples, which must outlive the block's use of them.
  static SampleBlock BorrowInt16(const int16_t* samples, int32_t count, int32_t rate, float scale);
  static SampleBlock BorrowFloat(const float* samples, int32_t count, int32_t rate, float scale);

  const int16_t* Int16Samples() const { return mInt16Samples; }
  // Used only when there are no 16-bit samples.
  const float* FloatSamples() const { return mFloatSamples; }
  bool HasSamples() const { return mInt16Samples != nullptr || mFloatSamples != nullptr; }
  int32_t Count() const { return mCount; }
  int32_t Rate() const { return mRate; }
  // Turns stored values into the caller's amplitude unit.
  float Scale() const { return mScale; }
  bool IsBorrowed() const { return mBorrowed; }

  // Copies the newest min(n, Count()) samples, oldest first, to destination, each times
  // gain × Scale(), and returns how many were copied (0 when n < 1 or there are none).
  int32_t CopyNewest(int32_t n, float* destination, float gain) const;

  // Halves rate and count; an odd last sample is dropped. 16-bit pairs become their mean;
  // float pairs become their sum and the scale halves, which saves a multiply per sample.
  void Halve();

 private:
  // A view of whichever of the two sample arrays is given (the other is null).
  static SampleBlock Borrow(const int16_t* int16Samples, const float* floatSamples, int32_t count,
                            int32_t rate, float scale);
  // Pairs of int16/float samples from source, reduced into destination (which may be source).
  void HalveInto(void* destination, int32_t half) const;

  UtilStr mStorage;  // the block's own samples, once it has changed them
  const int16_t* mInt16Samples = nullptr;
  const float* mFloatSamples = nullptr;
  int32_t mCount = 0;
  int32_t mRate = 0;
  float mScale = 1.0f;
  bool mBorrowed = false;
};
