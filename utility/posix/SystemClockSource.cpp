// Native stand-in for the clock's readings: the monotonic clock as the tick and the real-time
// clock as the system time. There is no timer resolution to raise.
#include <time.h>

#include "utility/ClockSource.h"

namespace {

constexpr int64_t kUnixEpochIn1601Units = 116444736000000000;

class PosixClockSource final : public ClockSource {
 public:
  uint32_t ReadTick() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000 +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000);
  }

  int64_t ReadSystemTime() override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return kUnixEpochIn1601Units + static_cast<int64_t>(now.tv_sec) * 10000000 + now.tv_nsec / 100;
  }

  // Reported as raised so that the exit call is exercised the same way as on Windows.
  uint32_t BeginPeriod() override { return 2; }
  void EndPeriod(uint32_t) override {}
};

}  // namespace

ClockSource& SystemClockSource() {
  static PosixClockSource source;
  return source;
}
