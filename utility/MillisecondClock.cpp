// The interpolating millisecond clock.
#include "utility/MillisecondClock.h"

namespace {

// 100-nanosecond units from 1601 to 1970.
constexpr int64_t kUnixEpochIn1601Units = 116444736000000000;
constexpr int64_t kUnitsPerMs = 10000;

int64_t ToUnixMs(int64_t systemTime) {
  return (systemTime - kUnixEpochIn1601Units) / kUnitsPerMs;
}

}  // namespace

int64_t MillisecondClock::Now() {
  Pair pair;
  if (ReadPair(pair)) {
    const uint32_t elapsed = mSource.ReadTick() - pair.tick;  // wraps with the timer
    if (elapsed <= kResyncAfterMs) return pair.wallMs + elapsed;
  }
  return Synchronise();
}

bool MillisecondClock::ReadPair(Pair& pair) const {
  if (!mSynchronised.load(std::memory_order_acquire)) return false;
  for (;;) {
    const uint32_t before = mSequence.load(std::memory_order_acquire);
    pair.wallMs = mWallMs.load(std::memory_order_relaxed);
    pair.tick = mTick.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if ((before & 1) == 0 && mSequence.load(std::memory_order_relaxed) == before) return true;
    // A synchronisation is being published right now; it takes a few instructions.
  }
}

void MillisecondClock::StorePair(const Pair& pair) {
  uint32_t sequence = mSequence.load(std::memory_order_relaxed);
  // Another thread publishing at the same moment wins; its pair is just as good as ours.
  if ((sequence & 1) != 0 ||
      !mSequence.compare_exchange_strong(sequence, sequence + 1, std::memory_order_acquire)) {
    return;
  }
  std::atomic_thread_fence(std::memory_order_release);
  mWallMs.store(pair.wallMs, std::memory_order_relaxed);
  mTick.store(pair.tick, std::memory_order_relaxed);
  mSequence.store(sequence + 2, std::memory_order_release);
  mSynchronised.store(true, std::memory_order_release);
}

int64_t MillisecondClock::Synchronise() {
  if (mPeriod.load() == 0) RaiseResolution();
  // The tick is taken between two system-time readings, and halfway between two tick readings,
  // so that both halves of the pair describe the same moment.
  int64_t first = mSource.ReadSystemTime();
  mSource.ReadTick();
  const int64_t second = mSource.ReadSystemTime();
  const uint32_t tick1 = mSource.ReadTick();
  const uint32_t tick2 = mSource.ReadTick();
  first = mSource.ReadSystemTime();
  Pair pair;
  pair.tick = tick1 + (tick2 - tick1) / 2;
  const int64_t firstMs = ToUnixMs(first);
  const int64_t secondMs = ToUnixMs(second);
  pair.wallMs = firstMs + (secondMs - firstMs) / 2;
  StorePair(pair);
  return pair.wallMs;
}

void MillisecondClock::RaiseResolution() {
  const uint32_t period = mSource.BeginPeriod();
  if (period == 0) return;  // tried again at the next synchronisation
  uint32_t none = 0;
  if (!mPeriod.compare_exchange_strong(none, period)) {
    mSource.EndPeriod(period);  // another thread raised it first and holds the exit call
    return;
  }
  mExitList.AddEntry(&MillisecondClock::LowerResolution,
                     static_cast<uint64_t>(reinterpret_cast<uintptr_t>(this)), 0);
}

void MillisecondClock::LowerResolution(uint64_t clockAddress) {
  auto* clock = reinterpret_cast<MillisecondClock*>(static_cast<uintptr_t>(clockAddress));
  const uint32_t period = clock->mPeriod.exchange(0);
  if (period != 0) clock->mSource.EndPeriod(period);
}

int64_t NowMs() {
  static MillisecondClock clock(SystemClockSource(), ExitCallbackList::Process());
  return clock.Now();
}
