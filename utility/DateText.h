// Calendar arithmetic on day numbers (days since 1 January 1900, which is day 0) and the date
// text of the log file's header, such as "03-MAR-2024, 14:03:09 (UTC+1)".
#pragma once

#include <cstddef>
#include <cstdint>

struct DateRecord {
  int32_t day;        // days since 1 January 1900
  int32_t seconds;    // seconds since midnight
  int32_t utcOffset;  // seconds east of UTC
};

// Enough for any date text, whatever the record holds.
constexpr size_t kDateTextCapacity = 96;

// Days from 1 January 1900 to 1 January of year in the Gregorian calendar; 0 up to 1900.
int32_t DaysBefore(int32_t year);

// Writes the record as "DD-MON-YYYY, HH:MM:SS (UTC+H)" into out (always terminated when size
// is not 0) and returns the number of characters written.
int32_t FormatDate(char* out, size_t size, const DateRecord& date);
