#include "utility/DateText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

std::string Format(int32_t day, int32_t seconds, int32_t offset) {
  char text[kDateTextCapacity];
  const int32_t length = FormatDate(text, sizeof text, DateRecord{day, seconds, offset});
  EXPECT_EQ(static_cast<size_t>(length), std::strlen(text));
  return text;
}

TEST(DaysBeforeTest, CountsGregorianDaysFrom1900) {
  struct Case {
    int32_t year;
    int32_t days;
  };
  const Case cases[] = {
      {INT32_MIN, 0}, {1800, 0},      {1900, 0},      {1901, 365},    {1904, 1460},
      {1905, 1826},   {2000, 36524},  {2001, 36890},  {2024, 45290},  {2100, 73049},
      {2101, 73414},  {2400, 182621}, {2401, 182987}, {2800, 328718}, {INT32_MAX, INT32_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DaysBefore(c.year), c.days) << "year " << c.year;
  }
}

TEST(DaysBeforeTest, EveryYearHasItsLength) {
  for (int32_t year = 1900; year < 2800; ++year) {
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    ASSERT_EQ(DaysBefore(year + 1) - DaysBefore(year), leap ? 366 : 365) << "year " << year;
    ASSERT_EQ(Format(DaysBefore(year), 0, 0).substr(0, 12), "01-JAN-" + std::to_string(year) + ",");
  }
}

TEST(FormatDateTest, WritesDayMonthYearTimeAndOffset) {
  struct Case {
    const char* name;
    int32_t day;
    int32_t seconds;
    int32_t offset;
    const char* text;
  };
  const int32_t at140309 = 14 * 3600 + 3 * 60 + 9;
  const Case cases[] = {
      {"first day", 0, 0, 0, "01-JAN-1900, 00:00:00 (UTC+0)"},
      {"1900 is no leap year", 59, 0, 0, "01-MAR-1900, 00:00:00 (UTC+0)"},
      {"last day of 1900", 364, 86399, 0, "31-DEC-1900, 23:59:59 (UTC+0)"},
      {"2000 is a leap year", DaysBefore(2000) + 59, 0, 0, "29-FEB-2000, 00:00:00 (UTC+0)"},
      {"last day of 2000", DaysBefore(2000) + 365, 0, 0, "31-DEC-2000, 00:00:00 (UTC+0)"},
      {"leap day 2024", DaysBefore(2024) + 59, 0, 0, "29-FEB-2024, 00:00:00 (UTC+0)"},
      {"third of March", DaysBefore(2024) + 62, at140309, 3600, "03-MAR-2024, 14:03:09 (UTC+1)"},
      {"2100 is no leap year", DaysBefore(2100) + 59, 0, 0, "01-MAR-2100, 00:00:00 (UTC+0)"},
      {"first day of 2101", 73414, 0, 0, "01-JAN-2101, 00:00:00 (UTC+0)"},
      {"west of UTC", DaysBefore(2024) + 181, 3600, -5 * 3600, "30-JUN-2024, 01:00:00 (UTC-5)"},
      {"half hours truncate", 0, 0, 5 * 3600 + 1800, "01-JAN-1900, 00:00:00 (UTC+5)"},
      {"under an hour west", 0, 0, -1800, "01-JAN-1900, 00:00:00 (UTC+0)"},
      {"days before 1900 clamp", -40, 0, 0, "01-JAN-1900, 00:00:00 (UTC+0)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.day, c.seconds, c.offset), c.text) << c.name;
  }
}

TEST(FormatDateTest, ExtremeRecordsStayInsideTheBuffer) {
  const DateRecord records[] = {
      {INT32_MAX, INT32_MAX, INT32_MAX},
      {INT32_MIN, INT32_MIN, INT32_MIN},
  };
  for (const DateRecord& record : records) {
    char text[kDateTextCapacity];
    const int32_t length = FormatDate(text, sizeof text, record);
    EXPECT_GT(length, 0);
    EXPECT_EQ(static_cast<size_t>(length), std::strlen(text));
  }
}

TEST(FormatDateTest, ShortBufferIsCutAndTerminated) {
  char text[12];
  std::memset(text, '#', sizeof text);
  EXPECT_EQ(FormatDate(text, 8, DateRecord{0, 0, 0}), 7);
  EXPECT_STREQ(text, "01-JAN-");
  EXPECT_EQ(text[8], '#');
  EXPECT_EQ(FormatDate(text, 0, DateRecord{0, 0, 0}), 0);
  EXPECT_EQ(text[0], '0');  // untouched
}

}  // namespace
