#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "utility/TokenList.h"

namespace {

// One token as a test sees it: type, start position and value (integer, the double, or text).
struct SeenToken {
  uint8_t type;
  int32_t position;
  int64_t integer = 0;
  double real = 0;
  std::string text;
};

std::vector<SeenToken> TokensOf(const TokenList& list) {
  std::vector<SeenToken> seen;
  for (int32_t i = 0; i < list.count; ++i) {
    SeenToken token;
    token.type = list.Type(i);
    token.position = list.Position(i);
    if (token.type == TokenType::kInteger) token.integer = list.Integer(i);
    if (token.type == TokenType::kFloat) token.real = list.Float(i);
    if (const UtilStr* text = list.Text(i)) token.text.assign(text->Text(), text->Length());
    seen.push_back(token);
  }
  return seen;
}

std::vector<SeenToken> Tokens(const std::string& text, bool expectWhole = true) {
  TokenList list;
  EXPECT_EQ(Tokenize(list, text.data(), static_cast<int32_t>(text.size())), expectWhole);
  return TokensOf(list);
}

TEST(TokenizeTest, WordsCarryTypeAndStartPosition) {
  const auto tokens = Tokens("Graphics.TargetFrameRate = 12\r\n_x 2.5 \"s\" 'Wind'");
  ASSERT_EQ(tokens.size(), 7u);
  EXPECT_EQ(tokens[0].type, TokenType::kName);
  EXPECT_EQ(tokens[0].text, "Graphics.TargetFrameRate");
  EXPECT_EQ(tokens[1].type, TokenType::kEquals);
  EXPECT_EQ(tokens[1].position, 25);
  EXPECT_EQ(tokens[2].type, TokenType::kInteger);
  EXPECT_EQ(tokens[2].integer, 12);
  EXPECT_EQ(tokens[3].type, TokenType::kName);
  EXPECT_EQ(tokens[3].position, 31);
  EXPECT_EQ(tokens[3].text, "_x");
  EXPECT_EQ(tokens[4].type, TokenType::kFloat);
  EXPECT_DOUBLE_EQ(tokens[4].real, 2.5);
  EXPECT_EQ(tokens[5].type, TokenType::kString);
  EXPECT_EQ(tokens[5].text, "s");
  EXPECT_EQ(tokens[6].type, TokenType::kInteger);
  EXPECT_EQ(tokens[6].integer, 0x57696E64);
  EXPECT_EQ(tokens[6].position, 42);
}

TEST(TokenizeTest, PunctuationHasOneTypePerByte) {
  const std::string text = "+-*/\\%=!;:,.^&|~#$@(){}[]?\x7F\x80\xFF";
  const uint8_t expected[] = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,  27,  28,  29, 30,
                              31, 32, 33, 34, 48, 49, 50, 51, 52, 53, 255, 255, 255, 255};
  const auto tokens = Tokens(text);
  ASSERT_EQ(tokens.size(), sizeof(expected));
  for (size_t i = 0; i < tokens.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(tokens[i].type, expected[i]);
    EXPECT_EQ(tokens[i].position, static_cast<int32_t>(i));
  }
}

TEST(TokenizeTest, NumbersTakeTheirTypeFromPointExponentAndSuffix) {
  struct Case {
    const char* text;
    uint8_t type;
    int64_t integer;
    double real;
    size_t tokenCount;
  };
  const Case cases[] = {
      {"12", TokenType::kInteger, 12, 0, 1},
      {"0x1F", TokenType::kInteger, 31, 0, 1},
      {"0X1f", TokenType::kInteger, 31, 0, 1},
      {"0xffL", TokenType::kInteger, 255, 0, 1},
      {"7L", TokenType::kInteger, 7, 0, 1},
      {"7ul", TokenType::kInteger, 7, 0, 1},
      {"7LL", TokenType::kInteger, 7, 0, 1},
      {"1.5", TokenType::kFloat, 0, 1.5, 1},
      {".25", TokenType::kFloat, 0, 0.25, 1},
      {"1.5e2", TokenType::kFloat, 0, 150, 1},
      {"2E3", TokenType::kFloat, 0, 2000, 1},
      {"2f", TokenType::kFloat, 0, 2, 1},
      {"3D", TokenType::kFloat, 0, 3, 1},
      // A sign after the exponent letter ends the number: 1e, then - and 5.
      {"1e-5", TokenType::kFloat, 0, 1, 3},
      // A second point ends the number; .3 is the next one.
      {"1.2.3", TokenType::kFloat, 0, 1.2, 2},
      // Too many digits wrap in 64 bits, as the integer parser does.
      {"18446744073709551617", TokenType::kInteger, 1, 0, 1},
      {"0x1FFFFFFFFFFFFFFFF", TokenType::kInteger, -1, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto tokens = Tokens(c.text);
    ASSERT_EQ(tokens.size(), c.tokenCount);
    EXPECT_EQ(tokens[0].type, c.type);
    EXPECT_EQ(tokens[0].integer, c.integer);
    EXPECT_DOUBLE_EQ(tokens[0].real, c.real);
  }
}

TEST(TokenizeTest, HugeExponentsGiveInfinityNotACrash) {
  const auto tokens = Tokens("1e99999999999 1e-");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].type, TokenType::kFloat);
  EXPECT_EQ(tokens[1].type, TokenType::kFloat);
  EXPECT_DOUBLE_EQ(tokens[1].real, 1);
}

TEST(TokenizeTest, ALetterAfterANumberStopsTheScanKeepingEarlierTokens) {
  const char* texts[] = {"A = 12q 5", "A = 0x1G", "A = 1.5z", "A = 1e5e"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const auto tokens = Tokens(text, false);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].text, "A");
    EXPECT_EQ(tokens[1].type, TokenType::kEquals);
  }
}

TEST(TokenizeTest, CharacterConstantsPackUpToEightBytes) {
  struct Case {
    const char* text;
    int64_t value;
    size_t tokenCount;
  };
  const Case cases[] = {
      {"'Wind'", 0x57696E64, 1},
      {"'AB'", 0x4142, 1},
      {"'\\n'", 10, 1},
      {"'\\''", 0x27, 1},
      {"'\\\\' x", 0x5C, 2},
      {"''", 0, 1},
      {"'abcdefghij'", 0x6162636465666768, 1},
      {"'ab", 0x6162, 1},  // unterminated: runs to the end
      {"'\\x", 'x', 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto tokens = Tokens(c.text);
    ASSERT_EQ(tokens.size(), c.tokenCount);
    EXPECT_EQ(tokens[0].type, TokenType::kInteger);
    EXPECT_EQ(tokens[0].integer, c.value);
  }
}

TEST(TokenizeTest, StringsAreUnescapedAndRunToTheirClosingQuote) {
  struct Case {
    const char* text;
    std::string content;
    size_t tokenCount;
  };
  const Case cases[] = {
      {"\"a\\tb\"", "a\tb", 1},    {"\"say \\\"hi\\\"\" x", "say \"hi\"", 2},
      {"\"C:\\\\\" x", "C:\\", 2}, {"\"\"", "", 1},
      {"\"abc", "abc", 1},  // unterminated: runs to the end
      {"\"a\\", "a", 1},           {"\"\\x41\\0z\"", std::string("A\0z", 3), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto tokens = Tokens(c.text);
    ASSERT_EQ(tokens.size(), c.tokenCount);
    EXPECT_EQ(tokens[0].type, TokenType::kString);
    EXPECT_EQ(tokens[0].text, c.content);
  }
}

TEST(TokenizeTest, LongStringsAreReadWhole) {
  const std::string content(5000, 'q');
  const auto tokens = Tokens("\"" + content + "\"");
  ASSERT_EQ(tokens.size(), 1u);
  EXPECT_EQ(tokens[0].text, content);
}

TEST(TokenizeTest, EqualTextsShareOneInternedString) {
  TokenList list;
  ASSERT_TRUE(Tokenize(list, "abc \"abc\" abc x", -1));
  ASSERT_EQ(list.count, 4);
  EXPECT_EQ(list.Text(0), list.Text(1));
  EXPECT_EQ(list.Text(0), list.Text(2));
  EXPECT_NE(list.Text(0), list.Text(3));
  EXPECT_EQ(list.texts.Count(), 2);
}

TEST(TokenizeTest, ANewTextReplacesTheTokensOfTheLastOne) {
  TokenList list;
  ASSERT_TRUE(Tokenize(list, "a b c d e f g", -1));
  ASSERT_TRUE(Tokenize(list, "z 5", -1));
  const auto tokens = TokensOf(list);
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0].text, "z");
  EXPECT_EQ(tokens[1].integer, 5);
  EXPECT_EQ(list.texts.Count(), 1);
}

TEST(TokenizeTest, ControlBytesAndZerosInACountedTextAreBlanks) {
  const std::string text("a\0\x01\x1F b\r\n\tc", 11);
  const auto tokens = Tokens(text);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[2].text, "c");
  EXPECT_EQ(tokens[2].position, 9);  // the trailing zero is a blank as well
}

TEST(TokenizeTest, EveryByteValueTokenizesWithoutHarm) {
  std::string text;
  for (int i = 0; i < 256; ++i) text.push_back(static_cast<char>(i));
  for (int i = 255; i >= 0; --i) text.push_back(static_cast<char>(i));
  TokenList list;
  Tokenize(list, text.data(), static_cast<int32_t>(text.size()));
  for (int32_t i = 1; i < list.count; ++i) EXPECT_LT(list.Position(i - 1), list.Position(i));
  if (list.count > 0) {
    EXPECT_LT(list.Position(list.count - 1), static_cast<int32_t>(text.size()));
  }
}

TEST(TokenizeTest, SourcesUpToTheLongestPositionAreAccepted) {
  std::string text(kLongestTokenSource, ' ');
  text.back() = 'Z';
  TokenList list;
  ASSERT_TRUE(Tokenize(list, text.data(), static_cast<int32_t>(text.size())));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.Position(0), kLongestTokenSource - 1);

  text.push_back('Y');
  EXPECT_FALSE(Tokenize(list, text.data(), static_cast<int32_t>(text.size())));
  EXPECT_EQ(list.count, 0);
  EXPECT_FALSE(Tokenize(list, text.c_str(), -1));
  EXPECT_EQ(list.count, 0);
}

TEST(TokenizeTest, NullOrEmptyTextGivesNoTokens) {
  TokenList list;
  EXPECT_TRUE(Tokenize(list, nullptr, 5));
  EXPECT_EQ(list.count, 0);
  EXPECT_TRUE(Tokenize(list, "", -1));
  EXPECT_EQ(list.count, 0);
}

}  // namespace
