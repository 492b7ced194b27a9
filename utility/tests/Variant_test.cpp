#include "utility/Variant.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Payload {
  uint8_t bytes[8] = {};
  template <typename T>
  static Payload Of(T value) {
    static_assert(sizeof(T) <= 8);
    Payload payload;
    memcpy(payload.bytes, &value, sizeof(T));
    return payload;
  }
};

TEST(VariantTest, TypeLettersChooseTheCodeAndField) {
  static const char kText[] = "Glimmora";
  static const char16_t kWide[] = u"W\u00e9";
  struct Case {
    char letter;
    int32_t length;
    Payload payload;
    int32_t type;
    int64_t integer;
    double real;
    const char* text;
  };
  const Case cases[] = {
      {'I', 0, Payload::Of<int64_t>(-5), VariantType::kInteger, -5, 0, ""},
      {'i', 0, Payload::Of<int64_t>(1LL << 40), VariantType::kInteger, 1LL << 40, 0, ""},
      {'C', 0, Payload::Of<int64_t>(7), VariantType::kInteger, 7, 0, ""},
      {'c', 0, Payload::Of<int64_t>(8), VariantType::kInteger, 8, 0, ""},
      {'b', 0, Payload::Of<int64_t>(7), VariantType::kInteger, 1, 0, ""},
      {'b', 0, Payload::Of<int64_t>(0), VariantType::kInteger, 0, 0, ""},
      {'F', 0, Payload::Of<double>(2.25), VariantType::kFloat, 0, 2.25, ""},
      {'f', 0, Payload::Of<float>(-1.5f), VariantType::kFloat, 0, -1.5, ""},
      {'s', 4, Payload::Of(kText), VariantType::kText, 0, 0, "Glim"},
      {'s', -1, Payload::Of(kText), VariantType::kText, 0, 0, "Glimmora"},
      {'s', 5, Payload::Of<const char*>(nullptr), VariantType::kText, 0, 0, ""},
      {'W', 4, Payload::Of(kWide), VariantType::kText, 0, 0, "W\xC3\xA9"},
      {'W', 2, Payload::Of(kWide), VariantType::kText, 0, 0, "W"},
      {'W', -1, Payload::Of(kWide), VariantType::kText, 0, 0, "W\xC3\xA9"},
      {'W', 4, Payload::Of<const char16_t*>(nullptr), VariantType::kText, 0, 0, ""},
      {'q', 0, Payload::Of<int64_t>(9), VariantType::kNone, 0, 0, ""},
      {0, 0, Payload::Of<int64_t>(9), VariantType::kNone, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("letter ") + c.letter + " length " + std::to_string(c.length));
    Variant variant;
    variant.text.Assign("stale");
    variant.SetFromTyped(c.letter, c.length, c.payload.bytes);
    EXPECT_EQ(variant.type, c.type);
    EXPECT_EQ(variant.integer, c.integer);
    EXPECT_DOUBLE_EQ(variant.real, c.real);
    EXPECT_STREQ(variant.text.Text(), c.text);
  }
}

TEST(VariantTest, PointersKeepTheirValue) {
  int target = 0;
  Variant variant;
  variant.SetFromTyped('*', 0, Payload::Of(&target).bytes);
  EXPECT_EQ(variant.type, VariantType::kPointer);
  EXPECT_EQ(variant.integer, static_cast<int64_t>(reinterpret_cast<intptr_t>(&target)));
}

}  // namespace
