// The monotonic clock, as the hosts' native clock source reads it.
#include "refengine/EngineClock.h"

#include <time.h>

namespace refengine {

uint64_t ClockMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1000000;
}

}  // namespace refengine
