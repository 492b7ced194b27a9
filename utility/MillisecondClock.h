// A millisecond wall clock that follows the system time without its 10-16 ms steps.
//
// The clock pairs a system-time reading with a multimedia-timer tick and adds the ticks elapsed
// since; every 10 seconds it takes a new pair, so it never drifts far from the system clock.
// The first synchronisation raises the timer resolution and leaves an exit call that lowers it
// again.
#pragma once

#include <atomic>
#include <cstdint>

#include "utility/ClockSource.h"
#include "utility/ExitCallbackList.h"

// Milliseconds since 1 January 1970 UTC, from the process's clock.
int64_t NowMs();

class MillisecondClock {
 public:
  // Ticks after a synchronisation during which the pair is trusted.
  static constexpr uint32_t kResyncAfterMs = 10000;

  MillisecondClock(ClockSource& source, ExitCallbackList& exitList)
      : mSource(source), mExitList(exitList) {}
  MillisecondClock(const MillisecondClock&) = delete;
  MillisecondClock& operator=(const MillisecondClock&) = delete;

  int64_t Now();
  // The raised timer period, 0 while none is held.
  uint32_t Period() const { return mPeriod.load(); }

 private:
  struct Pair {
    int64_t wallMs;
    uint32_t tick;
  };

  bool ReadPair(Pair& pair) const;
  void StorePair(const Pair& pair);
  int64_t Synchronise();
  void RaiseResolution();
  static void LowerResolution(uint64_t clockAddress);

  ClockSource& mSource;
  ExitCallbackList& mExitList;
  // The pair is published under a sequence number (odd while being written) so that a reader
  // never combines the tick of one synchronisation with the wall time of another.
  std::atomic<uint32_t> mSequence{0};
  std::atomic<int64_t> mWallMs{0};
  std::atomic<uint32_t> mTick{0};
  std::atomic<bool> mSynchronised{false};
  std::atomic<uint32_t> mPeriod{0};
};
