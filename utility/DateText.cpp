// Day numbers to calendar dates and the log header's date text.
#include "utility/DateText.h"

#include <climits>
#include <cstdio>

namespace {

constexpr int32_t kDaysIn400Years = 146097;
constexpr int32_t kDaysBefore2000 = 36524;
constexpr const char* kMonthNames[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool IsLeapYear(int32_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Days from 1 January 1900 to 1 January of year, for 1900 <= year <= 2000.
int32_t DaysFrom1900(int32_t year) {
  const int32_t y = year - 1;  // full years before it
  const int32_t leapDays = (y / 4 - y / 100 + y / 400) - (1899 / 4 - 1899 / 100 + 1899 / 400);
  return (year - 1900) * 365 + leapDays;
}

int32_t MonthLength(int32_t year, int month) {
  static constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 1 && IsLeapYear(year) ? 29 : kLengths[month];
}

// DaysBefore without the clamp: every int32 year fits.
int64_t DaysBefore64(int32_t year) {
  if (year <= 1900) return 0;
  if (year <= 2000) return DaysFrom1900(year);
  // Whole 400-year cycles from 2000 keep the per-year arithmetic small for far years.
  const int32_t cycles = (year - 2000) / 400;
  const int32_t rest = (year - 2000) % 400;
  return kDaysBefore2000 + int64_t{cycles} * kDaysIn400Years +
         (DaysFrom1900(2000 + rest) - kDaysBefore2000);
}

}  // namespace

int32_t DaysBefore(int32_t year) {
  // Past roughly year 5.8 million the count no longer fits; it stays at the largest value.
  const int64_t days = DaysBefore64(year);
  return days > INT32_MAX ? INT32_MAX : static_cast<int32_t>(days);
}

int32_t FormatDate(char* out, size_t size, const DateRecord& date) {
  if (out == nullptr || size == 0) return 0;
  int32_t year = 1900 + date.day / 366;
  while (year < INT32_MAX && DaysBefore64(year + 1) <= date.day) ++year;
  const int64_t dayOfYear = date.day - DaysBefore64(year) + 1;  // 1-based

  int month = 0;
  int64_t before = 0;  // days of the months before `month`
  while (month < 11 && before + MonthLength(year, month) < dayOfYear) {
    before += MonthLength(year, month);
    ++month;
  }
  int64_t dayOfMonth = dayOfYear - before;
  if (dayOfMonth < 1) dayOfMonth = 1;
  if (dayOfMonth > MonthLength(year, month)) dayOfMonth = MonthLength(year, month);

  const int32_t hours = date.seconds / 3600;
  const int32_t minutes = date.seconds % 3600 / 60;
  const int32_t seconds = date.seconds % 60;
  const int32_t offsetHours = date.utcOffset / 3600;  // truncated toward zero
  const int written = std::snprintf(
      out, size, "%02d-%s-%d, %02d:%02d:%02d (UTC%+d)", static_cast<int>(dayOfMonth),
      kMonthNames[month], static_cast<int>(year), static_cast<int>(hours),
      static_cast<int>(minutes), static_cast<int>(seconds), static_cast<int>(offsetHours));
  if (written < 0) {
    out[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(written) < size ? written : static_cast<int32_t>(size - 1);
}
