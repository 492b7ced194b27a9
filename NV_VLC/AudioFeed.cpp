#include "NV_VLC/AudioFeed.h"

#include <algorithm>

namespace {

std::atomic<int32_t> gFeedCount{0};
std::atomic<int32_t> gLiveFeeds{0};

constexpr int32_t kBufferSlack = 4096;

}  // namespace

AudioFeed::AudioFeed(int32_t rate, int32_t channels, int32_t lfeSlot)
    : mNumber(gFeedCount.fetch_add(1, std::memory_order_relaxed) + 1),
      mFormat(MakeFeedFormat(rate, channels, lfeSlot)),
      mBuffer(new float[static_cast<size_t>(mFormat.upsampling + kBufferSlack)]),
      mBufferCapacity(mFormat.upsampling + kBufferSlack),
      mKernel(GroupKernelFor(mFormat)),
      mRing(mFormat.outputRate) {
  mRing.SetLead(kInitialLeadMs);
  gLiveFeeds.fetch_add(1, std::memory_order_relaxed);
}

AudioFeed::~AudioFeed() { gLiveFeeds.fetch_sub(1, std::memory_order_relaxed); }

int32_t AudioFeed::LiveCount() { return gLiveFeeds.load(std::memory_order_relaxed); }

void AudioFeed::UpdateLead(int64_t blockLeadUs) {
  if (blockLeadUs <= 0) return;
  mSmoothedLeadUs = mSmoothedLeadUs == 0 ? blockLeadUs : (7 * mSmoothedLeadUs + blockLeadUs) / 8;
  const int64_t leadMs = kInitialLeadMs + std::max<int64_t>(0, mSmoothedLeadUs / 1000);
  const int32_t lead = static_cast<int32_t>(std::min<int64_t>(kMostLeadMs, leadMs));
  mLead.store(lead, std::memory_order_relaxed);
  mRing.SetLead(lead);
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
  const int32_t decimation = mFormat.decimation;
  int64_t frame = 0;
  // A group left open by the last block is finished frame by frame.
  while (mGroupCount != 0 && frame < frames) {
    AddFrame(FrameSum(mFormat, samples + frame++ * width));
  }
  if (mFormat.upsampling == 1) {
    // Whole groups straight into the buffer, as many as fit at a time.
    while (frames - frame >= decimation) {
      if (mBuffered == mBufferCapacity) Flush();
      const int64_t groups =
          std::min<int64_t>((frames - frame) / decimation, mBufferCapacity - mBuffered);
      mKernel(mFormat, samples + frame * width, groups, mBuffer.get() + mBuffered);
      mBuffered += static_cast<int32_t>(groups);
      frame += groups * decimation;
    }
  }
  while (frame < frames) AddFrame(FrameSum(mFormat, samples + frame++ * width));
  Flush();
}
