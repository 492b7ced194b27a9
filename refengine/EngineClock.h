// The engine's millisecond clock: the system's tick count, the clock hosts stamp their audio
// with.
#pragma once

#include <cstdint>

namespace refengine {

uint64_t ClockMs();

}  // namespace refengine
