#include "utility/NVFileSpec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "utility/LogMessage.h"

namespace {

NVFileSpec SpecOf(const char* path) {
  NVFileSpec spec;
  spec.SetPath(UtilStr(path));
  return spec;
}

std::string PathOf(const NVFileSpec& spec) {
  return std::string(spec.Text(), spec.Path().Length());
}

TEST(NVFileSpecTest, NewSpecIsEmpty) {
  NVFileSpec spec;
  EXPECT_TRUE(spec.IsEmpty());
  EXPECT_EQ(spec.NameStart(), 0);
  EXPECT_STREQ(spec.Text(), "");
}

TEST(NVFileSpecTest, SetPathNormalizes) {
  struct Case {
    const char* input;
    const char* path;
    int32_t nameStart;
  };
  const Case cases[] = {
      {"", "", 0},
      {"\\\\?\\UNC\\server\\share\\dir\\", "\\\\server\\share\\dir", 15},
      {"\\\\?\\unc\\server\\share", "\\\\server\\share", 9},  // letters in any case
      {"\\\\?\\C:\\Data\\file.txt", "C:\\Data\\file.txt", 8},
      {"\\\\?\\c:\\x", "c:\\x", 3},
      {"C:\\", "C:\\", 3},  // a drive root keeps its backslash
      {"C:\\Folder\\", "C:\\Folder", 3},
      {"C:\\Folder/", "C:\\Folder", 3},
      {"C:\\Folder\\\\", "C:\\Folder\\", 10},  // only one trailing separator goes
      {"C:/a/b", "C:/a/b", 5},                 // forward slashes count for the name start
      {"abc/", "abc", 3},
      {"ab/", "ab/", 3},            // three bytes or fewer keep their separator
      {"name.txt", "name.txt", 8},  // no separator: the name start is the length
      {"\\\\server\\share", "\\\\server\\share", 9},
      {"http://host/dir/", "http://host/dir", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const NVFileSpec spec = SpecOf(c.input);
    EXPECT_EQ(PathOf(spec), c.path);
    EXPECT_EQ(spec.NameStart(), c.nameStart);
  }
}

TEST(NVFileSpecTest, CopiesShareThePathText) {
  const NVFileSpec original = SpecOf("C:\\Data\\file.txt");
  NVFileSpec copy = original;
  EXPECT_EQ(copy.Text(), original.Text());
  EXPECT_EQ(copy.NameStart(), original.NameStart());
  copy.SetName(UtilStr("other.txt"));
  EXPECT_STREQ(original.Text(), "C:\\Data\\file.txt");
  EXPECT_STREQ(copy.Text(), "C:\\Data\\other.txt");
}

TEST(NVFileSpecTest, SetChildJoinsWithOneBackslash) {
  struct Case {
    const char* parent;
    const char* name;
    int32_t length;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\Data", "file.txt", -1, "C:\\Data\\file.txt"},
      {"C:\\Data", "\\file.txt", -1, "C:\\Data\\file.txt"},  // a leading backslash is dropped
      {"C:\\", "Novalume", -1, "C:\\Novalume"},
      {"C:\\Data", "sub\\", -1, "C:\\Data\\sub"},
      {"C:\\Data", "Resources-and-more", 9, "C:\\Data\\Resources"},
      {"C:\\Data", "", -1, "C:\\Data"},
      {"C:\\Data", "\\", -1, "C:\\Data"},
      {"C:\\Data", nullptr, 5, "C:\\Data"},
      {"", "file.txt", -1, ""},  // no parent, no child
      {"\\\\?\\C:\\Data\\", "x", -1, "C:\\Data\\x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.parent) + " + " + (c.name ? c.name : "(null)"));
    NVFileSpec child = SpecOf("Z:\\previous");
    child.SetChild(c.name, c.length, SpecOf(c.parent));
    EXPECT_EQ(PathOf(child), c.path);
    EXPECT_EQ(child.NameStart(), SpecOf(c.path).NameStart());
  }
}

TEST(NVFileSpecTest, SetChildMayNameItsOwnParent) {
  NVFileSpec spec = SpecOf("C:\\Program Files");
  spec.SetChild("Novalume", -1, spec);
  spec.SetChild("Glimmora", -1, spec);
  EXPECT_STREQ(spec.Text(), "C:\\Program Files\\Novalume\\Glimmora");
  EXPECT_EQ(spec.NameStart(), 26);
}

TEST(NVFileSpecTest, SetParentWalksUpOneFolder) {
  struct Case {
    const char* input;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\Data\\file.txt", "C:\\Data"},
      {"C:\\Data\\sub\\", "C:\\Data"},
      {"C:\\Data", "C:\\"},  // the drive root, not the drive-relative "C:"
      {"C:\\", ""},
      {"file.txt", ""},  // no backslash: nothing above it
      {"a/b/c", ""},     // only backslashes separate here
      {"\\\\server\\share\\dir", "\\\\server\\share"},
      {"x\\y", "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    NVFileSpec parent = SpecOf("Z:\\previous");
    parent.SetParent(SpecOf(c.input));
    EXPECT_EQ(PathOf(parent), c.path);
    EXPECT_EQ(parent.NameStart(), SpecOf(c.path).NameStart());
  }
}

TEST(NVFileSpecTest, SetParentOfEmptySpecChangesNothing) {
  NVFileSpec spec = SpecOf("C:\\Data\\file.txt");
  spec.SetParent(NVFileSpec());
  EXPECT_STREQ(spec.Text(), "C:\\Data\\file.txt");
  spec.SetParent(spec);
  EXPECT_STREQ(spec.Text(), "C:\\Data");
}

TEST(NVFileSpecTest, SetNameReplacesTheLastComponent) {
  struct Case {
    const char* input;
    const char* name;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\Data\\file.txt", "other.txt", "C:\\Data\\other.txt"},
      {"C:\\Data\\file.txt", "sub\\", "C:\\Data\\sub"},
      {"file.txt", "other.txt", "other.txt"},
      {"C:\\Data\\file.txt", "", "C:\\Data"},  // the dangling backslash goes too
      {"", "other.txt", ""},                   // an empty spec stays empty
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.input) + " -> " + c.name);
    NVFileSpec spec = SpecOf(c.input);
    spec.SetName(UtilStr(c.name));
    EXPECT_EQ(PathOf(spec), c.path);
  }
}

TEST(NVFileSpecTest, ClearEmptiesThePath) {
  NVFileSpec spec = SpecOf("C:\\Data\\file.txt");
  spec.Clear();
  EXPECT_TRUE(spec.IsEmpty());
  EXPECT_EQ(spec.NameStart(), 0);
}

TEST(NVFileSpecTest, ToStringIsThePath) {
  NVFileSpec spec = SpecOf("C:\\Data\\");
  ASSERT_NE(spec.toString(), nullptr);
  EXPECT_STREQ(spec.toString()->Text(), "C:\\Data");
}

TEST(NVFileSpecTest, PrintLogsTheAddressAndThePath) {
  const int enabledBefore = LogMessageTesting::EnabledCategoryCount();
  EnableCategory(1);
  NVFileSpec spec = SpecOf("C:\\Data\\");
  testing::internal::CaptureStdout();
  spec.Print();
  const std::string printed = testing::internal::GetCapturedStdout();
  LogMessageTesting::TruncateEnabledCategories(enabledBefore);
  char expected[80];
  std::snprintf(expected, sizeof(expected), "NVFileSpec (0x%X): mPathName = 'C:\\Data'",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(&spec)));
  EXPECT_NE(printed.find(expected), std::string::npos) << printed;
}

}  // namespace
