#include "NV_VLC/AudioFeed.h"

#include <algorithm>

namespace {

std::atomic<int32_t> gFeedCount{0};

constexpr int32_t kBufferSlack = 4096;

// Sum of count consecutive values, four at a time.
inline float SumRun(const float* values, int32_t count) {
  float a = 0.0f, b = 0.0f, c = 0.0f, d = 0.0f;
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    a += values[i];
    b += values[i + 1];
    c += values[i + 2];
    d += values[i + 3];
  }
  for (; i < count; ++i) a += values[i];
  return (a + b) + (c + d);
}

}  // namespace

AudioFeed::AudioFeed(int32_t rate, int32_t channels, int32_t lfeSlot)
    : mNumber(gFeedCount.fetch_add(1, std::memory_order_relaxed) + 1),
      mFormat(MakeFeedFormat(rate, channels, lfeSlot)),
      mBuffer(new float[static_cast<size_t>(mFormat.upsampling + kBufferSlack)]),
      mBufferCapacity(mFormat.upsampling + kBufferSlack),
      mRing(mFormat.outputRate) {
  mRing.SetLead(kInitialLeadMs);
}

void AudioFeed::UpdateLead(int64_t blockLeadUs) {
  if (blockLeadUs <= 0) return;
  mSmoothedLeadUs = mSmoothedLeadUs == 0 ? blockLeadUs : (7 * mSmoothedLeadUs + blockLeadUs) / 8;
  const int64_t leadMs = kInitialLeadMs + std::max<int64_t>(0, mSmoothedLeadUs / 1000);
  const int32_t lead = static_cast<int32_t>(std::min<int64_t>(kMostLeadMs, leadMs));
  mLead.store(lead, std::memory_order_relaxed);
  mRing.SetLead(lead);
}

float AudioFeed::FrameSum(const float* frame) const {
  const int32_t lfe = mFormat.lfeSlot;
  if (lfe < 0) return SumRun(frame, mFormat.channels);
  return SumRun(frame, lfe) + SumRun(frame + lfe + 1, mFormat.channels - lfe - 1);
}

void AudioFeed::Flush() {
  if (mBuffered == 0) return;
  mRing.Write(mBuffer.get(), mBuffered);
  mBuffered = 0;
  mHasData.store(true, std::memory_order_release);
}

void AudioFeed::AddFrame(float frameSum) {
  mAccumulator += frameSum;
  if (++mGroupCount < mFormat.decimation) return;
  if (mBuffered + mFormat.upsampling > mBufferCapacity) Flush();
  const float value = mAccumulator * mFormat.scale;
  std::fill_n(mBuffer.get() + mBuffered, mFormat.upsampling, value);
  mBuffered += mFormat.upsampling;
  mAccumulator = 0.0f;
  mGroupCount = 0;
}

void AudioFeed::Push(const float* samples, int32_t frames, int64_t blockLeadUs) {
  if (samples == nullptr || frames <= 0) return;
  UpdateLead(blockLeadUs);
  const int64_t width = mFormat.channels;
  for (int64_t f = 0; f < frames; ++f) AddFrame(FrameSum(samples + f * width));
  Flush();
}
