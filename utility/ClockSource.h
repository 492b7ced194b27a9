// The system readings the millisecond clock is built from.
#pragma once

#include <cstdint>

class ClockSource {
 public:
  // The multimedia timer: milliseconds, wrapping at 2^32.
  virtual uint32_t ReadTick() = 0;
  // The wall clock in 100-nanosecond units since 1 January 1601 UTC.
  virtual int64_t ReadSystemTime() = 0;
  // Raises the timer resolution; returns the period in milliseconds, or 0 when it failed.
  virtual uint32_t BeginPeriod() = 0;
  virtual void EndPeriod(uint32_t period) = 0;

 protected:
  // Not virtual and trivial: the process's source is never destroyed, so exit calls that run
  // after static destruction can still use it.
  ~ClockSource() = default;
};

// The real readings of this platform, for the process's clock.
ClockSource& SystemClockSource();
