// The clock's readings on Windows: the multimedia timer and the system file time.
#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include "utility/ClockSource.h"

namespace {

// The shortest period worth asking for; 1 ms costs power for no visible gain.
constexpr UINT kMinimumPeriodMs = 2;

class WindowsClockSource final : public ClockSource {
 public:
  uint32_t ReadTick() override { return timeGetTime(); }

  int64_t ReadSystemTime() override {
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                                time.dwLowDateTime);
  }

  uint32_t BeginPeriod() override {
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR) return 0;
    const UINT period = caps.wPeriodMin > kMinimumPeriodMs ? caps.wPeriodMin : kMinimumPeriodMs;
    return timeBeginPeriod(period) == TIMERR_NOERROR ? period : 0;
  }

  void EndPeriod(uint32_t period) override { timeEndPeriod(period); }
};

}  // namespace

ClockSource& SystemClockSource() {
  static WindowsClockSource source;
  return source;
}
