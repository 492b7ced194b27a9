#include "vis_Omnihost/virtualdj/SampleHistory.h"

#include <algorithm>
#include <cstring>

namespace virtualdj {

void SampleHistory::AppendStereo(const float* interleaved, int32_t floatCount) {
  if (interleaved == nullptr || floatCount < 2) return;
  int32_t frames = floatCount / 2;
  // Of a block larger than the whole history only its newest part can stay.
  if (frames > kCapacity) {
    interleaved += 2 * int64_t(frames - kCapacity);
    frames = kCapacity;
  }
  std::lock_guard<std::mutex> hold(mLock);
  if (mCount + frames > kCapacity) {
    const int32_t keep = std::min(mCount, std::max(0, kKeepCount - frames));
    std::memmove(mSamples, mSamples + (mCount - keep), sizeof(float) * size_t(keep));
    mCount = keep;
  }
  float* out = mSamples + mCount;
  for (int32_t i = 0; i < frames; ++i)
    out[i] = (interleaved[2 * i] + interleaved[2 * i + 1]) * 0.5f;
  mCount += frames;
}

void SampleHistory::Clear() {
  std::lock_guard<std::mutex> hold(mLock);
  mCount = 0;
}

int32_t SampleHistory::Count() const {
  std::lock_guard<std::mutex> hold(mLock);
  return mCount;
}

int32_t SampleHistory::CopyAll(float* destination) const {
  std::lock_guard<std::mutex> hold(mLock);
  std::memcpy(destination, mSamples, sizeof(float) * size_t(mCount));
  return mCount;
}

}  // namespace virtualdj
