#include "refengine/EngineClock.h"

#include <windows.h>

namespace refengine {

uint64_t ClockMs() {
  return GetTickCount64();
}

}  // namespace refengine
