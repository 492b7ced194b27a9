// Value text that no well-behaved writer produces: the parser must answer with a clear status,
// keep what it can and never read or write outside the text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "utility/SettingsTable.h"
#include "utility/TokenList.h"

namespace {

// A fixed pseudo-random byte sequence, so a failure can be replayed.
std::string NoiseBytes(size_t count, uint32_t seed) {
  std::string bytes(count, '\0');
  for (char& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<char>(seed >> 24);
  }
  return bytes;
}

TEST(ValueTextHostileTest, BinaryBytesGiveAStatusAndNoCrash) {
  for (uint32_t seed : {1u, 2u, 3u, 77u}) {
    SCOPED_TRACE(seed);
    const std::string noise = NoiseBytes(64 * 1024, seed);
    SettingsTable table;
    const int32_t status = table.Parse(noise.data(), static_cast<int32_t>(noise.size()));
    EXPECT_TRUE(status == SettingsStatus::kOk || status == SettingsStatus::kMalformed);
  }
}

TEST(ValueTextHostileTest, BinaryBytesBeforeAStatementLeaveItReadable) {
  // Quotes and digits are left out so the noise cannot swallow the statement behind it.
  std::string text;
  for (int i = 0; i < 256; ++i) {
    if (i != '"' && i != '\'' && !(i >= '0' && i <= '9')) text.push_back(static_cast<char>(i));
  }
  text += "\nA = 1\nB = 2";
  SettingsTable table;
  EXPECT_EQ(table.Parse(text.data(), static_cast<int32_t>(text.size())),
            SettingsStatus::kMalformed);
  EXPECT_EQ(table.GetInteger("B"), 2);
}

TEST(ValueTextHostileTest, TheLongestTextIsParsedAndOneByteMoreIsRefused) {
  const std::string statement = "A = 7";
  std::string text(kLongestTokenSource - statement.size(), '\n');
  text += statement;
  ASSERT_EQ(text.size(), static_cast<size_t>(kLongestTokenSource));
  SettingsTable table;
  EXPECT_EQ(table.Parse(text.data(), static_cast<int32_t>(text.size())), SettingsStatus::kOk);
  EXPECT_EQ(table.GetInteger("A"), 7);

  text.insert(0, " ");
  SettingsTable tooLong;
  EXPECT_EQ(tooLong.Parse(text.data(), static_cast<int32_t>(text.size())),
            SettingsStatus::kMalformed);
  EXPECT_EQ(tooLong.GetFlags("A"), 0);
}

TEST(ValueTextHostileTest, DeeplyRepeatedKeysKeepTheLastValue) {
  constexpr int kRepeats = 100000;
  std::string text;
  for (int i = 0; i < kRepeats; ++i) {
    text +=
        (i % 3 == 0) ? "K = word" + std::to_string(i) + "\n" : "K = " + std::to_string(i) + "\n";
  }
  text += "K = last";
  SettingsTable table;
  EXPECT_EQ(table.Parse(text.data(), static_cast<int32_t>(text.size())), SettingsStatus::kOk);
  UtilStr value;
  EXPECT_TRUE(table.GetText("K", &value));
  EXPECT_STREQ(value.Text(), "last");
  EXPECT_EQ(table.Named().Count(), 1);
}

TEST(ValueTextHostileTest, VeryLongJoinedKeysAreKeptWhole) {
  std::string text = "a";
  for (int i = 0; i < 20000; ++i) text += (i % 2) ? ".b" : " - c";
  const std::string expected = [&] {
    std::string key = "a";
    for (int i = 0; i < 20000; ++i) key += (i % 2) ? ".b" : "-c";
    return key;
  }();
  text += " = 1";
  SettingsTable table;
  EXPECT_EQ(table.Parse(text.data(), static_cast<int32_t>(text.size())), SettingsStatus::kOk);
  EXPECT_EQ(table.GetInteger(expected.c_str()), 1);
}

TEST(ValueTextHostileTest, UnterminatedLiteralsSwallowTheRestButStayInside) {
  struct Case {
    const char* text;
    const char* value;
  };
  const Case cases[] = {{"A = \"abc\\", "abc"}, {"A = \"x\nB = 2", "x\nB = 2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SettingsTable table;
    EXPECT_EQ(table.Parse(c.text, -1), SettingsStatus::kOk);
    UtilStr value;
    EXPECT_TRUE(table.GetText("A", &value));
    EXPECT_STREQ(value.Text(), c.value);
    EXPECT_EQ(table.GetFlags("B"), 0);
  }
  SettingsTable table;
  EXPECT_EQ(table.Parse("A = '\\", -1), SettingsStatus::kOk);
  EXPECT_EQ(table.GetInteger("A"), 0);
}

}  // namespace
