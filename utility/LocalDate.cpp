// The current local date with the process's UTC offset.
#include "utility/LocalDate.h"

#include <atomic>
#include <ctime>

namespace {

constexpr int32_t kOffsetUnknown = 0x7FFFFFFF;
std::atomic<int32_t> gUtcOffset{kOffsetUnknown};

// The thread-safe broken-down forms of the C library.
std::tm LocalBrokenDown(std::time_t t) {
  std::tm parts{};
#if defined(_WIN32)
  localtime_s(&parts, &t);
#else
  localtime_r(&t, &parts);
#endif
  return parts;
}

std::tm UtcBrokenDown(std::time_t t) {
  std::tm parts{};
#if defined(_WIN32)
  gmtime_s(&parts, &t);
#else
  gmtime_r(&t, &parts);
#endif
  return parts;
}

DateRecord FromBrokenDown(const std::tm& parts) {
  return DateRecord{DaysBefore(parts.tm_year + 1900) + parts.tm_yday,
                    parts.tm_hour * 3600 + parts.tm_min * 60 + parts.tm_sec, 0};
}

// Local minus UTC, rounded to whole minutes (half a minute away from zero).
int32_t MeasureUtcOffset(const DateRecord& local) {
  const DateRecord utc = FromBrokenDown(UtcBrokenDown(std::time(nullptr)));
  int32_t offset = (local.day - utc.day) * 86400 + (local.seconds - utc.seconds);
  offset += offset > 0 ? 30 : -30;
  return offset / 60 * 60;
}

}  // namespace

DateRecord CurrentLocalDate() {
  DateRecord local = FromBrokenDown(LocalBrokenDown(std::time(nullptr)));
  int32_t offset = gUtcOffset.load();
  if (offset == kOffsetUnknown) {
    offset = MeasureUtcOffset(local);
    gUtcOffset.store(offset);
  }
  local.utcOffset = offset;
  return local;
}
