#include "utility/Unescape.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct UnescapeCase {
  const char* name;
  std::string text;
  int32_t length;  // -2: the text's own size; -1: zero-terminated
  int32_t size;
  char delimiter;
  int32_t start;
  std::string expected;
  int32_t expectedPosition;
};

TEST(UnescapeTest, ProducesEscapedBytesAndLeavesThePositionAfterTheLastByteRead) {
  const UnescapeCase cases[] = {
      {"plain", "abc", -2, 16, 0, 0, "abc", 3},
      {"simple escapes", "\\\"\\'\\0\\\\\\f\\n\\r\\t", -2, 16, 0, 0,
       std::string("\"'\0\\\f\n\r\t", 8), 16},
      {"hex escapes", "\\x41\\x6a\\xFF", -2, 16, 0, 0, "Aj\xFF", 12},
      {"hex escape without two digits keeps the x", "\\x4", -2, 16, 0, 0, "x4", 3},
      {"unknown escape keeps its byte", "\\q\\%", -2, 16, 0, 0, "q%", 4},
      {"backslash at the end gives nothing", "ab\\", -2, 16, 0, 0, "ab", 3},
      {"delimiter joins adjacent pieces", "abc\"  \"def", -2, 16, '"', 0, "abcdef", 10},
      {"unclosed delimiter skips to the end", "ab\"cd", -2, 16, '"', 0, "ab", 5},
      {"without a delimiter quotes are bytes", "a\"b", -2, 16, 0, 0, "a\"b", 3},
      {"stops after size bytes", "abcdef", -2, 3, 0, 0, "abc", 3},
      {"zero size reads nothing", "abc", -2, 0, 0, 0, "", 0},
      {"zero-terminated stops at the zero", std::string("ab\0cd", 5), -1, 16, 0, 0, "ab", 2},
      {"counted text keeps zero bytes", std::string("ab\0cd", 5), -2, 16, 0, 0,
       std::string("ab\0cd", 5), 5},
      {"starts at the given position", "xx\\tz", -2, 16, 0, 2, "\tz", 5},
      {"counted length ends early", "abcdef", 4, 16, 0, 1, "bcd", 4},
  };
  for (const UnescapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int32_t length = c.length == -2 ? static_cast<int32_t>(c.text.size()) : c.length;
    std::string output(static_cast<size_t>(c.size), '#');
    int32_t position = c.start;
    const int32_t produced =
        Unescape(c.text.c_str(), length, output.data(), c.size, c.delimiter, &position);
    EXPECT_EQ(output.substr(0, static_cast<size_t>(produced)), c.expected);
    EXPECT_EQ(position, c.expectedPosition);
    // Nothing past the produced bytes is touched.
    EXPECT_EQ(output.substr(static_cast<size_t>(produced)),
              std::string(static_cast<size_t>(c.size - produced), '#'));
  }
}

TEST(UnescapeTest, RefusesMissingArguments) {
  int32_t position = 0;
  char out[4];
  EXPECT_EQ(Unescape(nullptr, 3, out, 4, 0, &position), 0);
  EXPECT_EQ(Unescape("abc", 3, nullptr, 4, 0, &position), 0);
  EXPECT_EQ(Unescape("abc", 3, out, 4, 0, nullptr), 0);
  EXPECT_EQ(position, 0);
}

}  // namespace
