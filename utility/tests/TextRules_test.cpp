// The rules the text code of the library shares: counted or zero-terminated texts, reading
// them without passing their end, hexadecimal digits and surrogates.
#include "utility/TextRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using text_rules::BoundedLength;
using text_rules::HexDigitValue;
using text_rules::MeasuredLength;
using text_rules::TextReader;

TEST(TextRulesTest, NegativeLengthMeansZeroTerminated) {
  struct Case {
    const char* name;
    const char* text;
    int32_t length;
    int32_t measured;
  };
  const Case cases[] = {
      {"zero-terminated", "abc", -1, 3},
      {"any negative length", "abcd", -70000, 4},
      {"counted, shorter than the text", "abcdef", 2, 2},
      {"counted, past an inner zero", "ab\0cd", 5, 5},
      {"empty zero-terminated", "", -1, 0},
      {"null text with a count", nullptr, 12, 0},
      {"null text zero-terminated", nullptr, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MeasuredLength(c.text, c.length), c.measured);
  }
}

TEST(TextRulesTest, BoundedLengthStopsAtTheTerminatorOrTheBound) {
  // Neither text has a terminator after its fourth unit: a read past the bound would leave
  // the array (which the sanitizers report).
  const char bytes[] = {'a', 'b', 'c', 'd'};
  const char16_t units[] = {u'a', u'b', u'c', u'd'};
  struct Case {
    const char* name;
    int32_t bound;
    int32_t length;
  };
  const Case unterminated[] = {
      {"bound at the end", 4, 4}, {"bound inside", 2, 2}, {"bound 0", 0, 0}, {"bound -1", -1, 0}};
  for (const Case& c : unterminated) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BoundedLength(bytes, c.bound), c.length);
    EXPECT_EQ(BoundedLength(units, c.bound), c.length);
  }
  EXPECT_EQ(BoundedLength("ab\0cd", 10), 2);
  EXPECT_EQ(BoundedLength(u"ab\0cd", 10), 2);
  EXPECT_EQ(BoundedLength("", 10), 0);
  // A unit above 0x7F is content, whatever the signedness of char.
  EXPECT_EQ(BoundedLength("\xFF\x80", 10), 2);
  EXPECT_EQ(BoundedLength(u"\xFFFF\xD800", 10), 2);
  EXPECT_EQ(BoundedLength(static_cast<const char*>(nullptr), 10), 0);
  EXPECT_EQ(BoundedLength(static_cast<const char16_t*>(nullptr), 10), 0);
}

// Every byte a reader yields, and where it stopped.
std::vector<int> ReadAll(TextReader reader) {
  std::vector<int> bytes;
  while (!reader.AtEnd()) bytes.push_back(static_cast<unsigned char>(reader.Take()));
  return bytes;
}

TEST(TextRulesTest, ReaderStopsAtTheCountOrTheTerminatorAndNeverPeeksBeyond) {
  // The counted text holds a zero as content; the zero-terminated one ends at it.
  const char text[] = {'a', '\0', '\xFF', '\0', 'z'};
  EXPECT_EQ(ReadAll(TextReader(text, 3)), (std::vector<int>{'a', 0, 0xFF}));
  EXPECT_EQ(ReadAll(TextReader(text, -1)), (std::vector<int>{'a'}));
  EXPECT_EQ(ReadAll(TextReader(text + 2, -1)), (std::vector<int>{0xFF}));
  EXPECT_EQ(ReadAll(TextReader(nullptr, 5)), (std::vector<int>{}));

  const TextReader terminated("ab", -1);
  EXPECT_EQ(terminated.Peek(1), 'b');
  EXPECT_EQ(terminated.Peek(2), -1);
  EXPECT_EQ(terminated.Peek(7), -1);  // would lie beyond the terminator: not read
  const TextReader counted("abcdef", 2);
  EXPECT_EQ(counted.Peek(1), 'b');
  EXPECT_EQ(counted.Peek(2), -1);
  EXPECT_EQ(TextReader("abc", 3, 5).Peek(), -1);  // a start past the end
  EXPECT_EQ(TextReader("abc", 3, -4).Position(), 0);
}

TEST(TextRulesTest, RestOfATextKeepsItsKindOfLength) {
  TextReader counted("abcdef", 4);
  counted.Skip();
  EXPECT_EQ(std::string(counted.Rest(), size_t(counted.RestLength())), "bcd");
  TextReader terminated("abc", -1);
  terminated.Skip();
  EXPECT_STREQ(terminated.Rest(), "bc");
  EXPECT_EQ(terminated.RestLength(), -1);
}

TEST(TextRulesTest, HexDigitsOfBothCasesAndNothingElse) {
  const std::string digits = "0123456789abcdefABCDEF";
  const int values[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 10, 11, 12, 13, 14, 15};
  for (size_t i = 0; i < digits.size(); ++i) {
    SCOPED_TRACE(digits[i]);
    EXPECT_EQ(HexDigitValue(digits[i]), values[i]);
  }
  const int others[] = {'/', ':', '@', 'G', '`', 'g', 'x', ' ', 0, -1, 0xB0};
  for (int c : others) {
    SCOPED_TRACE(c);
    EXPECT_EQ(HexDigitValue(c), -1);
  }
}

TEST(TextRulesTest, SurrogateRangesEndWhereTheyShould) {
  struct Case {
    uint32_t unit;
    bool high;
    bool low;
  };
  const Case cases[] = {
      {0xD7FF, false, false}, {0xD800, true, false}, {0xDBFF, true, false},
      {0xDC00, false, true},  {0xDFFF, false, true}, {0xE000, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    EXPECT_EQ(text_rules::IsHighSurrogate(c.unit), c.high);
    EXPECT_EQ(text_rules::IsLowSurrogate(c.unit), c.low);
  }
}

}  // namespace
