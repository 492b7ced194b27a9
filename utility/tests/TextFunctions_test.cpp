#include "utility/TextFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "utility/CompositionTables.h"

namespace {

TEST(CompareText, OrdersBytesUnsignedWithAsciiFolding) {
  struct Case {
    const char* a;
    int32_t lengthA;
    const char* b;
    int32_t lengthB;
    bool caseSensitive;
    int expected;
  };
  const Case cases[] = {
      {"abc", -1, "abd", -1, true, 'c' - 'd'},
      {"abc", -1, "ABC", -1, false, 0},
      {"abc", -1, "ABC", -1, true, 'a' - 'A'},
      {"abc", -1, "ab", -1, true, 'c'},              // zero-terminated: the terminator differs
      {"abc", 3, "ab", 2, true, 1},                  // counted: the length difference
      {"ab", -1, "abc", 3, true, -1},                // a negative length is measured
      {"a\0b", 3, "a\0c", 3, true, 'b' - 'c'},       // zero bytes are content
      {"\xE9", -1, "a", -1, true, 0xE9 - 'a'},       // unsigned bytes
      {"\xE9", -1, "\xC9", -1, false, 0xE9 - 0xC9},  // only a-z fold
      {"[", -1, "{", -1, false, '[' - '{'},
      {"abcdef", 3, "abcxyz", 3, true, 0},  // only the counted bytes matter
      {"", 0, "", -1, true, 0},
      {nullptr, 5, "", -1, true, 0},  // null is empty
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " vs " + c.b);
    EXPECT_EQ(CompareText(c.a, c.lengthA, c.b, c.lengthB, c.caseSensitive), c.expected);
  }
}

TEST(FindText, ReturnsOneBasedPositionOfFirstMatch) {
  struct Case {
    const char* needle;
    bool caseSensitive;
    const char* haystack;
    int32_t count;
    int32_t expected;
  };
  const Case cases[] = {
      {"lo", true, "hello", -1, 4},     {"LO", false, "hello", -1, 4},
      {"LO", true, "hello", -1, 0},     {"l", true, "hello", -1, 3},  // the first of two
      {"h", true, "hello", -1, 1},      {"o", true, "hello", 4, 0},   // beyond the counted bytes
      {"lo", true, "hello", 4, 0},       // match would end past the count
      {"hello!", true, "hello", -1, 0},  // needle longer than the haystack
      {"b", true, "a\0b", 3, 3},         // zero bytes inside a counted haystack
      {"[", false, "{[", -1, 2},         // only letters change case
      {"", true, "hello", -1, 0},       {nullptr, true, "hello", -1, 0},
      {"a", true, nullptr, 5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.needle ? c.needle : "(null)") + " in " +
                 (c.haystack ? c.haystack : "(null)"));
    EXPECT_EQ(FindText(c.needle, c.caseSensitive, c.haystack, c.count), c.expected);
  }
}

TEST(HashText, MatchesTheDocumentedMixing) {
  // Values computed by a separate implementation of the same mixing steps.
  struct Case {
    const char* text;
    int32_t length;
    uint32_t sensitive;
    uint32_t insensitive;
  };
  const Case cases[] = {
      {"", 0, 0xBDBA7C6C, 0xBDBA7C6C},         {"a", 1, 0xDBFE166F, 0xBA5DCC8D},
      {"ab", 2, 0x4DA2E4DD, 0x23A0F762},       {"abc", 3, 0xC5BA1F4A, 0x66260310},
      {"abcd", 4, 0xBE76F349, 0x008E2D99},     {"Hello, World", 12, 0x5CAAD3C2, 0x27CB115C},
      {"hello\0x", 7, 0x70DCABF3, 0xC513601D},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(HashText(c.text, c.length, true), c.sensitive);
    EXPECT_EQ(HashText(c.text, c.length, false), c.insensitive);
  }
}

TEST(HashText, ZeroTerminatedAndFoldedFormsAgree) {
  EXPECT_EQ(HashText("Hello, World", -1, true), HashText("Hello, World", 12, true));
  EXPECT_EQ(HashText("hello", -1, false), HashText("HELLO", -1, false));
  EXPECT_NE(HashText("hello", -1, true), HashText("HELLO", -1, true));
  EXPECT_EQ(HashText(nullptr, 10, true), HashText("", 0, true));
}

TEST(ParseInteger, ReadsDecimalThenHexadecimalAfterX) {
  struct Case {
    const char* text;
    int32_t length;
    int64_t expected64;
    int32_t expected32;
  };
  const Case cases[] = {
      {"  -0x10", -1, -16, -16},
      {"12abc", 5, 12, 12},
      {"0x1F", -1, 31, 31},
      {"x10", -1, 16, 16},
      {"0xffFF", -1, 65535, 65535},
      {"1x2", -1, 18, 18},  // decimal digits carry into the hexadecimal value
      {"0X10", -1, 0, 0},   // only a lower-case x switches
      {"+42", -1, 42, 42},
      {"-", -1, 0, 0},
      {"", -1, 0, 0},
      {"123", 2, 12, 12},
      {"1\0"
       "2",
       3, 1, 1},           // a counted zero byte ends the digits
      {" \0 7", 4, 7, 7},  // and counts as a blank before them
      {"\t\r\n 9", -1, 9, 9},
      {"--5", -1, 0, 0},
      {"4294967297", -1, 4294967297LL, 1},  // wraps in the narrower width
      {"9223372036854775808", -1, std::numeric_limits<int64_t>::min(), 0},
      {nullptr, 5, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? std::string(c.text, c.length < 0 ? strlen(c.text) : c.length) : "(null)");
    EXPECT_EQ(ParseInt64(c.text, c.length), c.expected64);
    EXPECT_EQ(ParseInt32(c.text, c.length), c.expected32);
  }
}

TEST(ParseFloat, ReadsSignDigitsPointAndExponent) {
  struct Case {
    const char* text;
    int32_t length;
    double expected;
  };
  const Case cases[] = {
      {"1.5e2", -1, 150}, {" -2.25", -1, -2.25}, {"3.1.4", -1, 3.1}, {"1e-2", -1, 0.01},
      {".5", -1, 0.5},    {"abc", -1, 0},        {"2E3", -1, 2000},  {"1.25", 3, 1.2},
      {"7e", -1, 7},      {"+8", -1, 8},         {"1e0x2", -1, 100}, {nullptr, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    EXPECT_DOUBLE_EQ(ParseFloat(c.text, c.length), c.expected);
  }
}

TEST(FormatInteger, WritesDigitsOfAnyBase) {
  struct Case {
    int64_t value;
    int32_t base;
    std::string expected;
  };
  const Case cases[] = {
      {0, 10, "0"},
      {-42, 10, "-42"},
      {255, 16, "FF"},
      {-255, 16, "-FF"},
      {35, 36, "Z"},
      {5, 2, "101"},
      {std::numeric_limits<int64_t>::min(), 10, "-9223372036854775808"},
      {std::numeric_limits<int64_t>::min(), 16, "-8000000000000000"},
      {std::numeric_limits<int64_t>::max(), 2, std::string(63, '1')},
      {12, 1, "12"},  // no digit set for the base: decimal
      {12, 37, "12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " base " + std::to_string(c.base));
    char out[kNumberTextCapacity];
    EXPECT_EQ(FormatInteger(c.value, out, c.base), static_cast<int32_t>(c.expected.size()));
    EXPECT_EQ(out, c.expected);
  }
}

TEST(FormatInteger, LongestBinaryTextsStayInsideTheBuffer) {
  // A negative value of 63 binary digits would need 65 bytes with its terminator; the text is
  // cut to the most significant 63 characters instead of running past the buffer.
  char out[kNumberTextCapacity + 8];
  memset(out, 0x55, sizeof out);
  EXPECT_EQ(FormatInteger(std::numeric_limits<int64_t>::min(), out, 2), kNumberTextCapacity - 1);
  EXPECT_EQ(std::string(out), "-1" + std::string(61, '0'));
  for (size_t i = kNumberTextCapacity; i < sizeof out; ++i) EXPECT_EQ(out[i], 0x55) << i;
}

TEST(FormatFloat, WritesUpToSevenFractionDigitsWithoutRounding) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {2.5, "2.5"},
      {0.05, "0.05"},
      {3, "3"},
      {0, "0"},
      {-0.0, "0"},
      {-0.00000001, "0"},
      {-0.5, "-0.5"},
      {1.123456789, "1.1234567"},
      {100.25, "100.25"},
      {2147483647.5, "2147483647.5"},
      {0.99999999999999994, "0.9999999"},  // the scaled fraction rounds up to 10^7
      // Integer parts beyond 32 bits are written in full up to the 64-bit range.
      {3e9, "3000000000"},
      {-4294967296.25, "-4294967296.25"},
      {9223372036854774784.0, "9223372036854774784"},
      // Beyond it the text saturates; NaN has no digits and is written as 0.
      {1e300, "9223372036854775807"},
      {-1e300, "-9223372036854775807"},
      {std::numeric_limits<double>::infinity(), "9223372036854775807"},
      {std::numeric_limits<double>::quiet_NaN(), "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    char out[kNumberTextCapacity + 16];
    memset(out, 0x55, sizeof out);
    EXPECT_EQ(FormatFloat(c.value, out), static_cast<int32_t>(strlen(c.expected)));
    EXPECT_STREQ(out, c.expected);
    for (size_t i = kNumberTextCapacity; i < sizeof out; ++i) EXPECT_EQ(out[i], 0x55) << i;
  }
}

TEST(PackChars, WritesBytesFromTheFirstNonZeroOne) {
  struct Case {
    uint64_t value;
    std::string expected;
  };
  const Case cases[] = {
      {0x57696E64, "Wind"},
      {0, ""},
      {0x41, "A"},
      {0x4100, std::string("A\0", 2)},
      {0x0100000000000041ULL, std::string("\x01\0\0\0\0\0\0A", 8)},
      {0xFF00000000000000ULL, std::string("\xFF\0\0\0\0\0\0\0", 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    char out[kNumberTextCapacity];
    const int32_t n = PackChars(c.value, out);
    EXPECT_EQ(std::string(out, n), c.expected);
    EXPECT_EQ(out[n], 0);
  }
}

std::string Utf8Of(const std::u16string& units, int32_t count) {
  const int32_t need = Utf16ToUtf8(units.c_str(), count, nullptr, 0);
  std::string out(need, '\0');
  EXPECT_EQ(Utf16ToUtf8(units.c_str(), count, out.data(), need), need);
  return out;
}

TEST(Utf16ToUtf8, EncodesPairsDropsByteOrderMarksAndStrayHighSurrogates) {
  struct Case {
    const char* name;
    std::u16string input;
    int32_t count;
    std::string expected;
  };
  const Case cases[] = {
      {"one to three bytes", u"A\u00E9\u20AC", -1, "A\xC3\xA9\xE2\x82\xAC"},
      {"pair", u"\xD83D\xDE00", -1, "\xF0\x9F\x98\x80"},
      {"largest pair", u"\xDBFF\xDFFF", -1, "\xF4\x8F\xBF\xBF"},
      {"byte order mark",
       u"\xFEFF"
       u"ab",
       -1, "ab"},
      {"lone high before letter",
       u"\xD800"
       u"a",
       -1, "a"},
      {"high at the end", u"a\xD800", -1, "a"},
      {"high at the counted end", u"a\xD800\xDC00", 2, "a"},
      {"high then pair", u"\xD800\xD83D\xDE00", -1, "\xF0\x9F\x98\x80"},
      {"lone low", u"\xDC00", -1, "\xED\xB0\x80"},
      {"counted", u"abc", 2, "ab"},
      {"counted zero unit", std::u16string(u"a\0b", 3), 3, std::string("a\0b", 3)},
      {"empty", u"", -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8Of(c.input, c.count), c.expected);
  }
}

TEST(Utf16ToUtf8, StoresOnlyBelowSizeAndReportsTheNeed) {
  const char16_t* text = u"A\u00E9\u20AC";  // needs 6 bytes
  char out[8];
  memset(out, 0x55, sizeof out);
  EXPECT_EQ(Utf16ToUtf8(text, -1, out, 4), 4);  // clipped to the size, mid-character
  EXPECT_EQ(std::string(out, 4), "A\xC3\xA9\xE2");
  EXPECT_EQ(out[4], 0x55);

  EXPECT_EQ(Utf16ToUtf8(text, -1, out, 6), 6);  // exactly enough, no terminator
  EXPECT_EQ(out[6], 0x55);
  EXPECT_EQ(Utf16ToUtf8(text, -1, out, 0), 6);  // size 0 counts without storing
  EXPECT_EQ(Utf16ToUtf8(text, -1, nullptr, 0), 6);

  EXPECT_EQ(Utf16ToUtf8(nullptr, 5, out, 8), 0);
  EXPECT_EQ(Utf16ToUtf8(text, -1, out, -1), 0);
  EXPECT_EQ(Utf16ToUtf8(text, -1, nullptr, 8), 0);
}

std::u16string Utf16Of(const std::string& bytes, int32_t length) {
  const int32_t need = Utf8ToUtf16(bytes.c_str(), length, nullptr, 0);
  std::u16string out(need, u'\0');
  if (need > 0) {
    EXPECT_EQ(Utf8ToUtf16(bytes.c_str(), length, out.data(), need), need);
  }
  return out;
}

TEST(Utf8ToUtf16, DecodesSkipsBrokenSequencesAndComposes) {
  struct Case {
    const char* name;
    std::string input;
    int32_t length;
    std::u16string expected;
  };
  const Case cases[] = {
      {"ascii", "abc", -1, u"abc"},
      {"two and three bytes", "\xC3\xA9\xE2\x82\xAC", -1, u"\u00E9\u20AC"},
      {"four bytes", "\xF0\x9F\x98\x80", -1, u"\xD83D\xDE00"},
      {"largest", "\xF4\x8F\xBF\xBF", -1, u"\xDBFF\xDFFF"},
      {"byte order mark",
       "\xEF\xBB\xBF"
       "ab",
       -1, u"ab"},
      {"e acute composes", "e\xCC\x81", -1, u"\u00E9"},
      {"x acute stays apart", "x\xCC\x81", -1, u"x\u0301"},
      {"mark first", "\xCC\x81", -1, u"\u0301"},
      {"I dot above", "I\xCC\x87", -1, u"\u0130"},
      {"i dot above stays apart", "i\xCC\x87", -1, u"i\u0307"},
      {"second mark stays apart", "e\xCC\x81\xCC\x81", -1, u"\u00E9\u0301"},
      {"mark across a byte order mark", "n\xEF\xBB\xBF\xCC\x83", -1, u"\u00F1"},
      {"truncated two-byte", "a\xC3", -1, u"a"},
      {"truncated three-byte",
       "\xE2\x82"
       "b",
       -1, u"b"},
      {"truncated by the count", "\xE2\x82\xAC", 2, u""},
      {"stray continuations", "\x80\xBFz", -1, u"z"},
      {"over-long accepted", "\xC0\x81\xC1\xBF", -1, u"\x0001\x007F"},
      {"counted zero byte", std::string("a\0b", 3), 3, std::u16string(u"a\0b", 3)},
      {"empty", "", -1, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf16Of(c.input, c.length), c.expected);
  }
}

TEST(Utf8ToUtf16, EveryTablePairComposes) {
  int count = 0;
  const CompositionTable* tables = CompositionTables(&count);
  ASSERT_EQ(count, 11);
  int pairs = 0;
  for (int t = 0; t < count; ++t) {
    const CompositionTable& table = tables[t];
    ASSERT_EQ(std::u16string(table.bases).size(), std::u16string(table.composed).size());
    for (int i = 0; table.bases[i] != 0; ++i, ++pairs) {
      const char16_t input[] = {table.bases[i], table.mark, 0};
      std::string utf8 = Utf8Of(input, -1);
      EXPECT_EQ(Utf16Of(utf8, -1), std::u16string(1, table.composed[i]))
          << "mark " << std::hex << int(table.mark) << " base " << char(table.bases[i]);
    }
  }
  EXPECT_EQ(pairs, 127);
  // A few rows spelled out, so that a shifted table cannot pass on its own terms.
  EXPECT_EQ(ComposeWithMark('n', 0x0303), u'\u00F1');
  EXPECT_EQ(ComposeWithMark('Y', 0x0308), u'\u0178');
  EXPECT_EQ(ComposeWithMark('s', 0x030C), u'\u0161');
  EXPECT_EQ(ComposeWithMark('c', 0x0327), u'\u00E7');
  EXPECT_EQ(ComposeWithMark('N', 0x0300), u'\u01F8');
  EXPECT_EQ(ComposeWithMark('u', 0x030A), u'\u016F');
  EXPECT_EQ(ComposeWithMark('b', 0x0301), 0);
}

TEST(Utf8ToUtf16, StopsAtTheSize) {
  char16_t out[4];
  std::fill(std::begin(out), std::end(out), u'#');
  EXPECT_EQ(Utf8ToUtf16("abc", -1, out, 2), 2);
  EXPECT_EQ(std::u16string(out, 3), u"ab#");

  // A pair that does not fit stores only its first unit.
  std::fill(std::begin(out), std::end(out), u'#');
  EXPECT_EQ(Utf8ToUtf16("a\xF0\x9F\x98\x80", -1, out, 2), 2);
  EXPECT_EQ(std::u16string(out, 3), u"a\xD83D#");

  // A mark that composes needs no room of its own: a full output still takes it.
  std::fill(std::begin(out), std::end(out), u'#');
  EXPECT_EQ(Utf8ToUtf16("ae\xCC\x81x", -1, out, 2), 2);
  EXPECT_EQ(std::u16string(out, 3), u"a\u00E9#");

  EXPECT_EQ(Utf8ToUtf16(nullptr, 3, out, 4), 0);
  EXPECT_EQ(Utf8ToUtf16("abc", -1, out, -1), 0);
  EXPECT_EQ(Utf8ToUtf16("abc", -1, nullptr, 4), 0);
  EXPECT_EQ(Utf8ToUtf16("abc", -1, out, 0), 3);  // size 0 counts without storing
}

}  // namespace
