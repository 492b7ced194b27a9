// SampleRing: the recent mono samples of one feed, written on VLC's audio thread and read on
// the session thread, which wants the samples being heard now rather than the newest ones.
//
// A power-of-two ring of floats (positions wrap with a mask) that stores one value per 2^shift
// pushed samples, sized for the longest playback lead plus half a second. A read ends `lead`
// milliseconds before the newest sample, corrected by how long ago, by the reader's clock,
// that sample was written; when the writes stop for more than lead + 500 ms the ring reads as
// empty, and the next write clears it.
//
// One writer and one reader, no lock:
//  - the slots are relaxed atomics, so a read may see samples of a write in progress but never
//    a torn value;
//  - the writer alone changes the write index and the stamp of the last write, and publishes
//    them together (with a write counter) under a sequence number: a reader always gets an
//    index and a stamp that belong to the same write;
//  - the reader never touches the writer's state: it marks the ring empty in its own state and
//    asks the writer, through a flag, to clear the ring at its next write;
//  - a read copies its window into the reader's own scratch before analysing it, so the
//    analysis never sees values change under it and reads no memory the writer owns.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "visualhost/audio/SpectrumAnalyzer.h"
#include "visualhost/engine/EngineRecords.h"

class SampleRing {
 public:
  // rate: of what will be pushed; 44100 when not positive.
  explicit SampleRing(int32_t rate);
  SampleRing(const SampleRing&) = delete;
  SampleRing& operator=(const SampleRing&) = delete;

  int32_t Rate() const { return mRate; }
  int32_t Shift() const { return mShift; }
  int32_t RingRate() const { return mRingRate; }
  float Scale() const { return mScale; }
  int32_t Size() const { return mSize; }

  // Writer side (VLC's audio thread).
  void SetLead(int32_t milliseconds) { mLead.store(milliseconds, std::memory_order_relaxed); }
  void Write(const float* values, int32_t count);

  // Reader side (the session thread): fills the request's samples and bands from the window
  // that is being heard at the request's time, and its delivered counts.
  void Read(AudioRequest& request);

 private:
  // What the writer publishes after each write.
  struct WriteState {
    int32_t index = 0;   // next slot to write
    int64_t stamp = 0;   // request time recorded with the last write; 0: empty
    uint32_t count = 0;  // writes so far
  };

  void Publish(const WriteState& state);
  WriteState Snapshot() const;
  void ClearSlots();
  void StoreValues(const float* values, int32_t count);
  // Copies count slots ending `back` slots before the write index into the scratch array.
  void CopyWindow(int32_t writeIndex, int32_t back, int32_t count);

  int32_t mRate;
  int32_t mShift;
  int32_t mRingRate;
  float mScale;
  int32_t mSize;
  std::unique_ptr<std::atomic<float>[]> mSlots;

  // Shared between the two threads.
  std::atomic<int32_t> mLead{120};
  std::atomic<int64_t> mNowStamp{0};       // written by the reader
  std::atomic<bool> mClearRequested{false};  // set by the reader, taken by the writer
  std::atomic<uint32_t> mSequence{0};      // odd while the writer publishes
  std::atomic<int32_t> mPublishedIndex{0};
  std::atomic<int64_t> mPublishedStamp{0};
  std::atomic<uint32_t> mPublishedCount{0};

  // The writer's own.
  WriteState mWriter;

  // The reader's own.
  bool mEmptied = false;         // the reader found the audio stopped...
  uint32_t mEmptiedAtCount = 0;  // ...as of this write
  std::vector<float> mScratch;
  SpectrumAnalyzer mAnalyzer;
};
