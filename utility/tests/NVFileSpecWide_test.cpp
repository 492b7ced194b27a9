#include <gtest/gtest.h>

#include <string>

#include "utility/NVFileSpec.h"

namespace {

NVFileSpec SpecOf(const char* path) {
  NVFileSpec spec;
  spec.SetPath(UtilStr(path));
  return spec;
}

TEST(HasUrlSchemeTest, FindsTheSchemeLength) {
  struct Case {
    const char* text;
    int32_t length;
    int32_t scheme;
  };
  const Case cases[] = {
      {"http://host/x", -1, 4},
      {"file:///C:/x", -1, 4},
      {"itms.x1:a://y", -1, 9},  // points, digits and colons may precede the scheme's end
      {"C:\\Program Files", -1, 0},
      {"\\\\server\\share", -1, 0},
      {"http:/host", -1, 0},
      {"http:", -1, 0},
      {"http://", 6, 0},  // the slashes must lie inside the given length
      {"http://", 7, 4},
      {"my-app://x", -1, 0},  // a hyphen ends the walk
      {"://x", -1, 0},
      {"", -1, 0},
      {nullptr, 5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    EXPECT_EQ(NVFileSpec::HasUrlScheme(c.text, c.length), c.scheme);
  }
}

std::u16string WideOf(const NVFileSpec& spec, int32_t capacity, int32_t* length) {
  std::u16string buffer(capacity + 1, u'#');  // one unit more, to catch writes past the end
  *length = spec.ToWide(buffer.data(), capacity);
  EXPECT_EQ(buffer[capacity], u'#') << "wrote past the capacity";
  EXPECT_EQ(buffer[*length], u'\0');
  return buffer.substr(0, *length);
}

TEST(ToWideTest, AddsTheLongPrefixOnlyToLocalPaths) {
  struct Case {
    const char* path;
    std::u16string wide;
  };
  const Case cases[] = {
      {"C:\\Data\\file.txt", u"\\\\?\\C:\\Data\\file.txt"},
      {"\\\\?\\C:\\Data", u"\\\\?\\C:\\Data"},  // the stored prefix is not doubled
      {"\\\\server\\share\\dir", u"\\\\server\\share\\dir"},
      {"\\\\?\\UNC\\server\\share", u"\\\\server\\share"},
      {"http://host/a b", u"http://host/a b"},
      {"relative\\name", u"\\\\?\\relative\\name"},
      {"", u""},
      {"C:\\Caf\xc3\xa9\\\xe2\x82\xac", u"\\\\?\\C:\\Caf\u00e9\\\u20ac"},
      {"C:\\Cafe\xcc\x81", u"\\\\?\\C:\\Caf\u00e9"},  // a combining accent is composed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    int32_t length = -1;
    EXPECT_EQ(WideOf(SpecOf(c.path), 64, &length), c.wide);
    EXPECT_EQ(length, static_cast<int32_t>(c.wide.size()));
  }
}

TEST(ToWideTest, PathThatDoesNotFitBecomesEmpty) {
  // "\\?\C:\abc" is 10 units: it needs a capacity of 12 (one for the terminator and one to
  // tell a complete conversion from a cut one).
  const NVFileSpec spec = SpecOf("C:\\abc");
  struct Case {
    int32_t capacity;
    int32_t length;
  };
  const Case cases[] = {{12, 10}, {11, 0}, {10, 0}, {5, 0}, {4, 0}, {1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.capacity);
    int32_t length = -1;
    const std::u16string wide = WideOf(spec, c.capacity, &length);
    EXPECT_EQ(length, c.length);
    EXPECT_EQ(wide, c.length ? u"\\\\?\\C:\\abc" : u"");
  }
}

TEST(ToWideTest, NetworkPathUsesTheWholeCapacity) {
  const NVFileSpec spec = SpecOf("\\\\s\\t");  // 5 units, no prefix
  int32_t length = -1;
  EXPECT_EQ(WideOf(spec, 7, &length), u"\\\\s\\t");
  EXPECT_EQ(WideOf(spec, 6, &length), u"");
}

TEST(ToWideTest, NullBufferOrNoCapacityWritesNothing) {
  const NVFileSpec spec = SpecOf("C:\\abc");
  EXPECT_EQ(spec.ToWide(nullptr, 100), 0);
  char16_t unit = u'#';
  EXPECT_EQ(spec.ToWide(&unit, 0), 0);
  EXPECT_EQ(spec.ToWide(&unit, -3), 0);
  EXPECT_EQ(unit, u'#');
}

TEST(ToWideTest, LongPathFitsTheSystemBuffer) {
  // Paths beyond the classic 260-unit limit are the reason for the prefix.
  std::string path = "C:";
  for (int i = 0; i < 40; ++i) path += "\\folder" + std::to_string(100 + i);
  const NVFileSpec spec = SpecOf(path.c_str());
  std::u16string buffer(NVFileSpec::kWideCapacity, u'#');
  const int32_t length = spec.ToWide(buffer.data(), NVFileSpec::kWideCapacity);
  EXPECT_EQ(length, static_cast<int32_t>(path.size()) + 4);
  EXPECT_GT(length, 260);
}

}  // namespace
