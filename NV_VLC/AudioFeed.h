// AudioFeed: one filter's audio on its way to the engine.
//
// VLC's audio thread pushes blocks of interleaved float frames with how far ahead of playback
// they arrive; the feed mixes them down to mono at a reduced rate (FeedFormat) into its
// SampleRing and keeps a smoothed playback lead. The session thread reads the samples being
// heard now from the ring. Shared by reference count between the filter, its tap and the
// session's host; the count starts at 1 for the creator.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "NV_VLC/FeedFormat.h"
#include "NV_VLC/GroupKernels.h"
#include "NV_VLC/SampleRing.h"
#include "NV_VLC/TrackMetaHolder.h"
#include "utility/RefCountedObject.h"
#include "visualhost/engine/EngineRecords.h"

class AudioFeed : public RefCountedObject {
 public:
  static constexpr int32_t kInitialLeadMs = 120;
  static constexpr int32_t kMostLeadMs = 3000;

  AudioFeed(int32_t rate, int32_t channels, int32_t lfeSlot);

  // 1 for the first feed of the process, then counting up; log lines call it the tap number.
  int32_t Number() const { return mNumber; }
  const FeedFormat& Format() const { return mFormat; }
  const SampleRing& Ring() const { return mRing; }
  int32_t LeadMs() const { return mLead.load(std::memory_order_relaxed); }
  // Converted samples have reached the ring at least once.
  bool HasData() const { return mHasData.load(std::memory_order_acquire); }

  // VLC's audio thread: `frames` interleaved frames of Format().channels floats, arriving
  // blockLeadUs microseconds before they are heard (0 or less: unknown). Never allocates.
  void Push(const float* samples, int32_t frames, int64_t blockLeadUs);

  // The session thread.
  void Read(AudioRequest& request) { mRing.Read(request); }

  // The track texts the filter's metadata poll saw (both threads).
  TrackMetaHolder& Meta() { return mMeta; }

  // Feeds alive in the process, for tests that check nothing is left behind.
  static int32_t LiveCount();

 protected:
  ~AudioFeed() override;

 private:
  void UpdateLead(int64_t blockLeadUs);
  // Adds one frame's channel sum to the current group; writes the group out when it is full.
  void AddFrame(float frameSum);
  void Flush();

  const int32_t mNumber;
  const FeedFormat mFormat;

  // The audio thread's own.
  float mAccumulator = 0.0f;
  int32_t mGroupCount = 0;
  int64_t mSmoothedLeadUs = 0;
  // Converted samples wait here until it is full or the block ends. Its size is fixed at
  // construction (room for one group's copies plus a few thousand samples), so a block of any
  // length goes through in pieces with no allocation.
  std::unique_ptr<float[]> mBuffer;
  int32_t mBufferCapacity;
  GroupKernel mKernel;
  int32_t mBuffered = 0;

  std::atomic<int32_t> mLead{kInitialLeadMs};
  std::atomic<bool> mHasData{false};
  SampleRing mRing;
  TrackMetaHolder mMeta;
};
