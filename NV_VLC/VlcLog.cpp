#include "NV_VLC/VlcLog.h"

#include <cstdio>

#include "NV_VLC/VlcCore.h"

namespace {

// Room for a track line with three full texts and a full artwork address.
constexpr size_t kLineBytes = 4096;

}  // namespace

void FilterLogV(vlc_object_t* object, int priority, const char* function, const char* format,
                va_list args) {
  char line[kLineBytes];
  vsnprintf(line, sizeof(line), format, args);
  VlcCore().log(object, priority, function, line);
}

void FilterLog(vlc_object_t* object, int priority, const char* function, const char* format, ...) {
  va_list args;
  va_start(args, format);
  FilterLogV(object, priority, function, format, args);
  va_end(args);
}

long long ClockMs() { return static_cast<long long>(VlcCore().clock() / 1000); }
