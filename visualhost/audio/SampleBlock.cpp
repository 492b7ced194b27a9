#include "visualhost/audio/SampleBlock.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Gains this close to 1 copy float samples as they are.
constexpr float kUnitGainTolerance = 0.00001f;

}  // namespace

SampleBlock SampleBlock::Borrow(const int16_t* int16Samples, const float* floatSamples,
                                int32_t count, int32_t rate, float scale) {
  SampleBlock block;
  block.mInt16Samples = int16Samples;
  block.mFloatSamples = floatSamples;
  block.mCount = block.HasSamples() ? std::max(count, 0) : 0;
  block.mRate = rate;
  block.mScale = scale;
  block.mBorrowed = true;
  return block;
}

SampleBlock SampleBlock::BorrowInt16(const int16_t* samples, int32_t count, int32_t rate,
                                     float scale) {
  return Borrow(samples, nullptr, count, rate, scale);
}

SampleBlock SampleBlock::BorrowFloat(const float* samples, int32_t count, int32_t rate,
                                     float scale) {
  return Borrow(nullptr, samples, count, rate, scale);
}

int32_t SampleBlock::CopyNewest(int32_t n, float* destination, float gain) const {
  if (n < 1 || destination == nullptr || mCount <= 0 || !HasSamples()) return 0;
  const int32_t copied = std::min(n, mCount);
  const int32_t start = mCount - copied;
  const float factor = gain * mScale;
  if (mInt16Samples != nullptr) {
    const int16_t* source = mInt16Samples + start;
    for (int32_t i = 0; i < copied; ++i) destination[i] = float(source[i]) * factor;
  } else if (std::fabs(factor - 1.0f) < kUnitGainTolerance) {
    std::memcpy(destination, mFloatSamples + start, size_t(copied) * sizeof(float));
  } else {
    const float* source = mFloatSamples + start;
    for (int32_t i = 0; i < copied; ++i) destination[i] = source[i] * factor;
  }
  return copied;
}

void SampleBlock::Halve() {
  const int32_t half = mCount / 2;
  if (half > 0) {
    if (!mBorrowed && mStorage.IsExclusive()) {
      // Our own unshared copy: reduce in place (each write lands at or before its reads).
      HalveInto(const_cast<char*>(mStorage.Text()), half);
    } else {
      // The caller's samples, or storage another block still shares: reduce into a new
      // block of our own and only then let go of the old one.
      const size_t sampleSize = mInt16Samples != nullptr ? sizeof(int16_t) : sizeof(float);
      UtilStr reduced;
      reduced.Assign(nullptr, int32_t(size_t(half) * sampleSize));
      HalveInto(const_cast<char*>(reduced.Text()), half);
      mStorage = reduced;
      mBorrowed = false;
    }
    if (mInt16Samples != nullptr) {
      mInt16Samples = reinterpret_cast<const int16_t*>(mStorage.Text());
    } else {
      mFloatSamples = reinterpret_cast<const float*>(mStorage.Text());
    }
  }
  mCount = half;
  mRate /= 2;
  if (mInt16Samples == nullptr) mScale *= 0.5f;
}

void SampleBlock::HalveInto(void* destination, int32_t half) const {
  // Four pairs per round, all read before any is written, so that the loop also runs in
  // place (destination == source) and the compiler may still vectorise it.
  const int32_t whole = half / 4 * 4;
  if (mInt16Samples != nullptr) {
    const int16_t* source = mInt16Samples;
    int16_t* target = static_cast<int16_t*>(destination);
    for (int32_t i = 0; i < whole; i += 4) {
      int16_t means[4];
      for (int32_t j = 0; j < 4; ++j) {
        means[j] = int16_t((int32_t(source[2 * (i + j)]) + int32_t(source[2 * (i + j) + 1])) >> 1);
      }
      std::memcpy(target + i, means, sizeof(means));
    }
    for (int32_t i = whole; i < half; ++i) {
      target[i] = int16_t((int32_t(source[2 * i]) + int32_t(source[2 * i + 1])) >> 1);
    }
  } else if (mFloatSamples != nullptr) {
    const float* source = mFloatSamples;
    float* target = static_cast<float*>(destination);
    for (int32_t i = 0; i < whole; i += 4) {
      float sums[4];
      for (int32_t j = 0; j < 4; ++j) sums[j] = source[2 * (i + j)] + source[2 * (i + j) + 1];
      std::memcpy(target + i, sums, sizeof(sums));
    }
    for (int32_t i = whole; i < half; ++i) target[i] = source[2 * i] + source[2 * i + 1];
  }
}
