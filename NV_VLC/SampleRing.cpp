#include "NV_VLC/SampleRing.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "utility/CeilLog2.h"
#include "visualhost/audio/SampleBlock.h"
#include "visualhost/audio/SpectrumBands.h"

namespace {

constexpr int32_t kDefaultRate = 44100;
constexpr int64_t kLeadCeilingPlusSlackMs = 3550;  // 3000 ms lead ceiling + 550 ms
constexpr int32_t kMostSlots = 0x400000;
constexpr int64_t kStoppedAfterMs = -500;

int32_t ShiftFor(int32_t rate) {
  const int32_t groups = std::max(1, static_cast<int32_t>(std::floor(rate / 22050.0 + 0.0001)));
  return static_cast<int32_t>(std::floor(std::log2(groups)));
}

int32_t SlotsFor(int32_t ringRate) {
  const int64_t wanted = kLeadCeilingPlusSlackMs * ringRate / 1000;
  const int32_t exponent = std::max(0, CeilLog2(std::max<int64_t>(wanted, 1)));
  return static_cast<int32_t>(std::min<int64_t>(int64_t{1} << exponent, kMostSlots));
}

}  // namespace

SampleRing::SampleRing(int32_t rate)
    : mRate(rate > 0 ? rate : kDefaultRate),
      mShift(ShiftFor(mRate)),
      mRingRate(mRate >> mShift),
      mScale(0.9f / static_cast<float>(1 << mShift)),
      mSize(SlotsFor(mRingRate)),
      mSlots(new std::atomic<float>[static_cast<size_t>(mSize)]),
      mScratch(static_cast<size_t>(std::min(mSize, mRingRate / 4 + 1))) {
  ClearSlots();
}

void SampleRing::ClearSlots() {
  for (int32_t i = 0; i < mSize; ++i) mSlots[i].store(0.0f, std::memory_order_relaxed);
}

void SampleRing::Publish(const WriteState& state) {
  const uint32_t sequence = mSequence.load(std::memory_order_relaxed);
  mSequence.store(sequence + 1, std::memory_order_relaxed);
  // Release stores keep the odd sequence number ahead of the words (no fences, which
  // ThreadSanitizer cannot follow): a reader that sees a new word also sees the odd number.
  mPublishedIndex.store(state.index, std::memory_order_release);
  mPublishedStamp.store(state.stamp, std::memory_order_release);
  mPublishedCount.store(state.count, std::memory_order_release);
  mSequence.store(sequence + 2, std::memory_order_release);
}

SampleRing::WriteState SampleRing::Snapshot() const {
  for (int spins = 0;; ++spins) {
    const uint32_t before = mSequence.load(std::memory_order_acquire);
    WriteState state;
    state.index = mPublishedIndex.load(std::memory_order_acquire);
    state.stamp = mPublishedStamp.load(std::memory_order_acquire);
    state.count = mPublishedCount.load(std::memory_order_acquire);
    if ((before & 1) == 0 && mSequence.load(std::memory_order_relaxed) == before) return state;
    // The writer was interrupted while publishing three words: let it finish.
    if (spins >= 64) std::this_thread::yield();
  }
}

void SampleRing::StoreValues(const float* values, int32_t count) {
  const int32_t group = 1 << mShift;
  const int32_t mask = mSize - 1;
  int32_t index = mWriter.index;
  if (group == 1) {
    for (int32_t i = 0; i < count; ++i) {
      mSlots[index].store(values[i], std::memory_order_relaxed);
      index = (index + 1) & mask;
    }
    mWriter.index = index;
    return;
  }
  for (int32_t i = 0; i < count; ++i) {
    float sum = 0.0f;
    for (int32_t j = 0; j < group; ++j) sum += values[static_cast<int64_t>(i) * group + j];
    mSlots[index].store(sum, std::memory_order_relaxed);
    index = (index + 1) & mask;
  }
  mWriter.index = index;
}

void SampleRing::Write(const float* values, int32_t count) {
  if (values == nullptr || count <= 0) return;
  const int64_t stamp = mNowStamp.load(std::memory_order_relaxed);
  const bool clear = mClearRequested.exchange(false, std::memory_order_acq_rel);
  if (clear || mWriter.stamp == 0) {
    mWriter.index = 0;
    mWriter.stamp = 0;
    ++mWriter.count;
    // Before the reader's first request the ring would be cleared again at the next write
    // anyway: leave it empty without touching every slot on the audio thread.
    if (stamp == 0) return Publish(mWriter);
    ClearSlots();
  }
  mWriter.stamp = stamp;
  int32_t slots = count >> mShift;
  if (slots > mSize) {
    values += static_cast<int64_t>(slots - mSize) << mShift;
    slots = mSize;
  }
  StoreValues(values, slots);
  ++mWriter.count;
  Publish(mWriter);
}

void SampleRing::CopyWindow(int32_t writeIndex, int32_t back, int32_t count) {
  const int32_t mask = mSize - 1;
  const int32_t start = (writeIndex - back) & mask;
  for (int32_t i = 0; i < count; ++i) {
    mScratch[static_cast<size_t>(i)] = mSlots[(start + i) & mask].load(std::memory_order_relaxed);
  }
}

void SampleRing::Read(AudioRequest& request) {
  request.samplesDelivered = 0;
  request.bandsDelivered = 0;
  mNowStamp.store(request.requestTimeMs, std::memory_order_relaxed);
  const WriteState state = Snapshot();
  if (state.stamp == 0 || (mEmptied && state.count == mEmptiedAtCount) || mRingRate <= 0) return;
  mEmptied = false;

  int64_t lead = mLead.load(std::memory_order_relaxed);
  if (state.stamp > 0) lead += state.stamp - request.requestTimeMs;
  if (lead <= kStoppedAfterMs) {
    // The audio stopped arriving: nothing is being heard from this feed.
    mEmptied = true;
    mEmptiedAtCount = state.count;
    mClearRequested.store(true, std::memory_order_release);
    return;
  }

  const bool bandsWanted = request.bandsWanted > 0 && request.spectrumParams != nullptr &&
                           request.bands != nullptr;
  int32_t want = std::max(request.samplesWanted, 0);
  if (bandsWanted) want = std::max(want, MinimumSamples(*request.spectrumParams, mRingRate));
  const int32_t count = std::min({want, mRingRate / 4, static_cast<int32_t>(mScratch.size())});
  const int64_t leadSlots = static_cast<int64_t>(mRingRate) * lead / 1000;
  const int32_t back =
      static_cast<int32_t>(std::min<int64_t>(count + std::max<int64_t>(leadSlots, 0), mSize));
  CopyWindow(state.index, back, count);

  SampleBlock block = SampleBlock::BorrowFloat(mScratch.data(), count, mRingRate, mScale);
  if (request.samples != nullptr) {
    request.samplesDelivered = block.CopyNewest(std::min(request.samplesWanted, count),
                                                request.samples, 1.0f);
  }
  if (bandsWanted) {
    mAnalyzer.Compute(block, *request.spectrumParams, request.bandsWanted, request.bands);
    request.bandsDelivered = request.bandsWanted;
  }
}
