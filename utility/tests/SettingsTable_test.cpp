#include "utility/SettingsTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TextOf(const SettingsTable& table, const char* name) {
  UtilStr text("untouched");
  table.GetText(name, &text);
  return std::string(text.Text(), text.Length());
}

const UtilStr* NumberedText(const SettingsTable& table, int64_t key, int32_t* flags) {
  int64_t value = 0;
  *flags = table.Numbered().Get(static_cast<uint64_t>(key), &value);
  return (*flags & SettingsEntry::kText) ? TableValueAsPointer<const UtilStr>(value) : nullptr;
}

TEST(SettingsTableTest, StatementsStoreTaggedEntries) {
  struct Case {
    const char* text;
    const char* key;
    int32_t status;
    int32_t flags;
    int64_t integer;
    const char* asText;
  };
  const Case cases[] = {
      {"a.b-c = 5", "a.b-c", 0, 0x20000004, 5, "5"},
      {"a . b = 5", "a.b", 0, 0x20000004, 5, "5"},
      {"NAME = -2.5", "NAME", 0, 0x20000002, -2, "-2.5"},
      {"NAME = 0x1F", "NAME", 0, 0x20000004, 31, "31"},
      {"NAME = 'AB'", "NAME", 0, 0x20000004, 0x4142, "16706"},
      {"NAME = \"a\\tb\"", "NAME", 0, 0x30000001, 0, "a\tb"},
      {"NAME = abc", "NAME", 0, 0x30000001, 0, "abc"},
      {"NAME = \"42abc\"", "NAME", 0, 0x30000001, 42, "42abc"},
      {"NAME = -abc", "NAME", 0, 0x30000001, 0, "abc"},
      {"NAME = -7", "NAME", 0, 0x20000004, -7, "-7"},
      {"\"quoted key\" = 3", "quoted key", 0, 0x20000004, 3, "3"},
      {"NAME 7 = 8", "NAME", 55023, 0x20000004, 8, "8"},
      {"NAME = \"abc", "NAME", 0, 0x30000001, 0, "abc"},  // unterminated string
      {"NAME = 'xy", "NAME", 0, 0x20000004, 0x7879, "30841"},
      {"NAME = 18446744073709551617", "NAME", 0, 0x20000004, 1, "1"},
      {"NAME = 1e300", "NAME", 0, 0x20000002, INT64_MAX, "9223372036854775807"},
      {"NAME = -1e300", "NAME", 0, 0x20000002, INT64_MIN, "-9223372036854775807"},
      {"NAME = 1 OTHER = 12q", "NAME", 55023, 0x20000004, 1, "1"},
      {"NAME = 1 2", "NAME", 55023, 0x20000004, 1, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SettingsTable table;
    EXPECT_EQ(table.Parse(c.text, -1), c.status);
    EXPECT_EQ(table.GetFlags(c.key), c.flags);
    EXPECT_EQ(table.GetInteger(c.key), c.integer);
    EXPECT_EQ(TextOf(table, c.key), c.asText);
    EXPECT_EQ(table.Named().Count(), 1);
  }
}

TEST(SettingsTableTest, ThreeLinesGiveATextAnIntegerAndAFloat) {
  SettingsTable table;
  ASSERT_EQ(table.Parse("PRODUCT_NAME = \"Glimmora\"\r\nVERSION = 3\nRATE = 29.97\n", -1), 0);
  EXPECT_EQ(table.GetFlags("PRODUCT_NAME"), 0x30000001);
  EXPECT_EQ(TextOf(table, "PRODUCT_NAME"), "Glimmora");
  EXPECT_EQ(table.GetFlags("VERSION"), 0x20000004);
  EXPECT_EQ(table.GetInteger("VERSION"), 3);
  EXPECT_EQ(table.GetFlags("RATE"), 0x20000002);
  EXPECT_EQ(table.GetInteger("RATE"), 29);
  EXPECT_EQ(table.GetFlags("version"), 0);  // keys are case-sensitive
}

TEST(SettingsTableTest, NumberKeysGoToTheNumberedEntries) {
  struct Case {
    const char* text;
    int64_t key;
    const char* value;
  };
  const Case cases[] = {
      {"-3 = x", -3, "x"}, {"5.7 = y", 5, "y"}, {"-2.5 = z", -2, "z"}, {"0x10 = w", 16, "w"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SettingsTable table;
    EXPECT_EQ(table.Parse(c.text, -1), 0);
    int32_t flags = 0;
    const UtilStr* text = NumberedText(table, c.key, &flags);
    EXPECT_EQ(flags, 0x30000001);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->Text(), c.value);
    EXPECT_EQ(table.Named().Count(), 0);
  }
}

TEST(SettingsTableTest, MalformedStatementsAreReportedAndTheRestIsKept) {
  struct Case {
    const char* text;
    const char* presentKey;  // a key that must hold 1 afterwards, or null
    const char* absentKey;
  };
  const Case cases[] = {
      {"# comment\nA = 1", "", "A"},  // no comments: the value goes to the empty name
      {"A = ;\nB = 1", "B", "A"},    {"A = - ;\nB = 1", "B", "A"}, {"A =", nullptr, "A"},
      {"A", nullptr, "A"},           {"= 1", "", nullptr},         {"A = 12q", nullptr, "A"},
      {"B = 1\n(A) = 2", "B", "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SettingsTable table;
    EXPECT_EQ(table.Parse(c.text, -1), SettingsStatus::kMalformed);
    if (c.presentKey) {
      EXPECT_EQ(table.GetInteger(c.presentKey), 1);
    }
    if (c.absentKey) {
      EXPECT_EQ(table.GetFlags(c.absentKey), 0);
    }
  }
}

TEST(SettingsTableTest, ALaterStatementReplacesTheValue) {
  SettingsTable table;
  ASSERT_EQ(table.Parse("A = x\nA = y", -1), 0);
  EXPECT_EQ(TextOf(table, "A"), "y");
  ASSERT_EQ(table.Parse("A = 2", -1), 0);
  EXPECT_EQ(table.GetFlags("A"), 0x20000004);
  EXPECT_EQ(TextOf(table, "A"), "2");
  ASSERT_EQ(table.Parse("A = z", -1), 0);
  EXPECT_EQ(table.GetFlags("A"), 0x30000001);
  EXPECT_EQ(TextOf(table, "A"), "z");
  EXPECT_EQ(table.Named().Count(), 1);
}

TEST(SettingsTableTest, AReplacedTextKeepsItsStringObject) {
  SettingsTable table;
  ASSERT_EQ(table.Parse("A = first", -1), 0);
  int64_t before = 0, after = 0;
  table.Named().Get("A", -1, &before);
  ASSERT_EQ(table.Parse("A = second", -1), 0);
  table.Named().Get("A", -1, &after);
  EXPECT_EQ(before, after);
  EXPECT_EQ(TextOf(table, "A"), "second");
}

TEST(SettingsTableTest, GettersOfAbsentNames) {
  SettingsTable table;
  ASSERT_EQ(table.Parse("A = 1", -1), 0);
  UtilStr out("old");
  EXPECT_FALSE(table.GetText("B", &out));
  EXPECT_EQ(out.Length(), 0);
  EXPECT_TRUE(table.GetText("A", nullptr));
  EXPECT_FALSE(table.GetText("B", nullptr));
  EXPECT_FALSE(table.GetText(nullptr, &out));
  EXPECT_EQ(table.GetInteger("B"), 0);
  EXPECT_EQ(table.GetInteger(nullptr), 0);
  EXPECT_EQ(table.GetFlags("B"), 0);
  EXPECT_EQ(table.GetFlags(nullptr), 0);
}

TEST(SettingsTableTest, CountedTextStopsAtItsLength) {
  SettingsTable table;
  const char text[] = "A = 1 B = 2";
  EXPECT_EQ(table.Parse(text, 5), 0);
  EXPECT_EQ(table.GetInteger("A"), 1);
  EXPECT_EQ(table.GetFlags("B"), 0);
  EXPECT_EQ(table.Parse(nullptr, 4), 0);
}

TEST(SettingsTableTest, TruncationSaturatesOutsideTheIntegerRange) {
  EXPECT_EQ(TruncateToInt64(-2.9), -2);
  EXPECT_EQ(TruncateToInt64(9.3e18), INT64_MAX);
  EXPECT_EQ(TruncateToInt64(-9.3e18), INT64_MIN);
  EXPECT_EQ(TruncateToInt64(__builtin_nan("")), 0);
  EXPECT_EQ(TruncateToInt64(__builtin_inf()), INT64_MAX);
}

}  // namespace
