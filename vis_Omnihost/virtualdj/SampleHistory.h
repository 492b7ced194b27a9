// SampleHistory: the newest mono samples VirtualDJ gave the effect, oldest first, for the
// engine's audio requests.
//
// VirtualDJ hands over audio on its audio thread and asks the effect to draw (where the engine
// asks for audio) on its drawing thread, so the history is written and read from two threads.
// A lock guards it, held on either side only for one copy of at most kCapacity samples and
// never while the spectrum is computed: the reader takes a copy and works on that, so the audio
// thread waits at most for a copy of 32 KB, never for the engine.
//
// When an append would overflow the capacity, only the newest kKeepCount - m of the held
// samples stay before the m new ones go in; a block larger than the capacity itself leaves only
// its newest kCapacity samples.
#pragma once

#include <cstdint>
#include <mutex>

namespace virtualdj {

class SampleHistory {
 public:
  static constexpr int32_t kCapacity = 8192;
  static constexpr int32_t kKeepCount = 4096;

  // Appends one mono sample, (left + right) x 0.5, for each whole frame of the interleaved
  // stereo floats (floatCount of them). Nothing for null samples or a count below 2.
  void AppendStereo(const float* interleaved, int32_t floatCount);
  void Clear();
  int32_t Count() const;
  // Copies every held sample, oldest first, to destination (room for kCapacity); the count.
  int32_t CopyAll(float* destination) const;

 private:
  mutable std::mutex mLock;
  float mSamples[kCapacity] = {};
  int32_t mCount = 0;
};

}  // namespace virtualdj
