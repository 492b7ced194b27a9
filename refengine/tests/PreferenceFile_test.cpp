// Preferences survive the process in a value-text file: written on 'WPrf' and when the last
// instance goes after a change, read again at the first use. A damaged file gives defaults.
#include <shlobj.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "refengine/tests/EngineFixture.h"
#include "testsupport/win/WideText.h"

namespace refengine_test {
namespace {

constexpr EngineRect kDefaultWindow{64, 48, 864, 648};

struct Value {
  const char* name;
  uint32_t type;
  int64_t integer;
  double number;
  std::string bytes;  // 's' and 'W'
};

PreferenceAnswer AsAnswer(const Value& value) {
  PreferenceAnswer answer{};
  answer.type = value.type;
  if (value.type == 'F') {
    answer.value.real = value.number;
  } else if (value.type == 'f') {
    answer.value.single = float(value.number);
  } else if (value.type == 's' || value.type == 'W') {
    answer.value.pointer = value.bytes.data();
    answer.length = int32_t(value.bytes.size());
  } else {
    answer.value.integer = value.integer;
  }
  return answer;
}

std::string WideBytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PreferenceFileTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    mInstance = Create(&mHost, 0);
  }
  int64_t Store(const Value& value) {
    PreferenceAnswer answer = AsAnswer(value);
    return Table()->Request(mInstance, HostRequest::kSetPreference, const_cast<char*>(value.name),
                            &answer);
  }
  int64_t Read(const char* name, PreferenceAnswer* answer) {
    *answer = PreferenceAnswer{};
    return Table()->Request(mInstance, HostRequest::kGetPreference, const_cast<char*>(name),
                            answer);
  }
  int64_t Write() {
    return Table()->Request(mInstance, HostRequest::kWritePreferences, nullptr, nullptr);
  }
  EngineRect Window() {
    EngineRect rect{};
    Table()->Request(mInstance, HostRequest::kWindowRect, &rect, nullptr);
    return rect;
  }

  FakeHost mHost;
  uint32_t mInstance = 0;
};

bool operator==(const EngineRect& a, const EngineRect& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(PreferenceFileTest, EveryKindOfValueComesBackFromTheFile) {
  const Value values[] = {
      {"Window.left", 'i', 120, 0, ""},
      {"Window.top", 'i', -40, 0, ""},
      {"Window.right", 'i', 1020, 0, ""},
      {"Window.bottom", 'i', 700, 0, ""},
      {"Big", 'I', std::numeric_limits<int64_t>::min(), 0, ""},
      {"Flag", 'b', 1, 0, ""},
      {"Letter", 'C', 'Q', 0, ""},
      {"Ratio", 'F', 0, 0.1, ""},
      {"Whole", 'F', 0, 3.0, ""},
      {"Huge", 'F', 0, -1.5e300, ""},
      {"Endless", 'F', 0, std::numeric_limits<double>::infinity(), ""},
      {"Single", 'f', 0, 1.25, ""},
      {"Text", 's', 0, 0, "Blue \"Moon\"\n\\ at\t9 = x;"},
      {"Zo\xC3\xAB \xE2\x99\xAB name", 's', 0, 0, "Zo\xC3\xAB \xE2\x99\xAB"},
      {"Zeroes", 's', 0, 0, std::string("a\0b\0c", 5)},
      {"Empty", 's', 0, 0, ""},
      {"quote\"d = name", 'i', -7, 0, ""},
      {"Wide", 'W', 0, 0, WideBytes(u"Wide \u266B text")},
  };
  for (const Value& value : values) ASSERT_EQ(Store(value), 0) << value.name;
  ASSERT_EQ(Store(Value{"Pointer", '*', 0x1234, 0, ""}), 0);
  ASSERT_EQ(Write(), 0);
  mControl->ForgetPreferences();

  for (const Value& value : values) {
    SCOPED_TRACE(value.name);
    PreferenceAnswer answer;
    ASSERT_EQ(Read(value.name, &answer), 1);
    EXPECT_EQ(answer.type, value.type);
    if (value.type == 'F') {
      EXPECT_EQ(answer.value.real, value.number);
    } else if (value.type == 'f') {
      EXPECT_EQ(answer.value.single, float(value.number));
    } else if (value.type == 's' || value.type == 'W') {
      ASSERT_EQ(answer.length, int32_t(value.bytes.size()));
      EXPECT_EQ(std::memcmp(answer.value.pointer, value.bytes.data(), value.bytes.size()), 0);
    } else {
      EXPECT_EQ(answer.value.integer, value.integer);
    }
  }
  PreferenceAnswer pointer;
  EXPECT_EQ(Read("Pointer", &pointer), 0) << "addresses mean nothing to another process";
  EXPECT_TRUE((Window() == EngineRect{120, -40, 1020, 700}));
}

TEST_F(PreferenceFileTest, FileWrittenByHandIsRead) {
  WriteFile(TestPreferenceFile(),
            "count = 2\n"
            "0 = \"Window.left\"\n"
            "\"type:Window.left\" = \"i\"\n"
            "\"value:Window.left\" = 300\n"
            "1 = \"Title\"\n"
            "\"type:Title\" = \"s\"\n"
            "\"value:Title\" = \"Tab\\there\"\n");
  mControl->ForgetPreferences();
  EXPECT_EQ(Window().left, 300);
  EXPECT_EQ(Window().top, kDefaultWindow.top);
  PreferenceAnswer title;
  ASSERT_EQ(Read("Title", &title), 1);
  EXPECT_EQ(std::string(static_cast<const char*>(title.value.pointer), size_t(title.length)),
            "Tab\there");
}

TEST_F(PreferenceFileTest, DamagedFilesGiveDefaults) {
  const std::string kEntry =
      "0 = \"Window.left\"\n\"type:Window.left\" = \"i\"\n\"value:Window.left\" = 300\n";
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"empty", ""},
      {"garbage", "((( = = ;;; \"unterminated"},
      {"binary", std::string("\x00\xFF\x01\x80 = \x7F", 8)},
      {"no count", kEntry},
      {"count too big", "count = 2\n" + kEntry},
      {"count negative", "count = -1\n" + kEntry},
      {"count huge", "count = 99999999999\n" + kEntry},
      {"count is text", "count = \"1\"\n" + kEntry},
      {"unknown type",
       "count = 1\n0 = \"Window.left\"\n\"type:Window.left\" = \"q\"\n"
       "\"value:Window.left\" = 300\n"},
      {"value of another type",
       "count = 1\n0 = \"Window.left\"\n\"type:Window.left\" = \"i\"\n"
       "\"value:Window.left\" = \"300\"\n"},
      {"malformed statement", "count = 1\n" + kEntry + "stray tokens\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(TestPreferenceFile(), c.text);
    mControl->ForgetPreferences();
    EXPECT_TRUE((Window() == kDefaultWindow));
    PreferenceAnswer answer;
    EXPECT_EQ(Read("Window.left", &answer), 0);
  }
}

TEST_F(PreferenceFileTest, LastInstanceWritesWhatChanged) {
  const std::wstring path = TestPreferenceFile();
  const uint32_t second = Create(&mHost, 0);
  ASSERT_EQ(Store(Value{"Window.left", 'i', 77, 0, ""}), 0);
  Destroy(mInstance);
  EXPECT_FALSE(FileExists(path)) << "another instance still runs";
  Destroy(second);
  ASSERT_TRUE(FileExists(path));

  // Nothing changed: nothing is written.
  DeleteFileW(path.c_str());
  mInstance = Create(&mHost, 0);
  EXPECT_EQ(Window().left, 77);  // still in memory
  Destroy(mInstance);
  EXPECT_FALSE(FileExists(path));
}

TEST_F(PreferenceFileTest, FileLocationAndItsFolder) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"refengine_prefs_folder";
  const std::wstring path = folder + L"\\Preferences.txt";
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
  mControl->SetPreferenceFile(Utf8(path).c_str());
  char chosen[MAX_PATH * 3];
  ASSERT_GT(mControl->PreferenceFile(chosen, sizeof chosen), 0);
  EXPECT_EQ(std::string(chosen), Utf8(path));
  ASSERT_EQ(Store(Value{"Window.left", 'i', 5, 0, ""}), 0);
  EXPECT_EQ(Write(), 0);
  EXPECT_TRUE(FileExists(path)) << "the folder is made when missing";
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());

  // A path through a file cannot be written: a status, and the values stay in memory.
  const std::wstring blocked = TestPreferenceFile() + L"\\inside\\Preferences.txt";
  WriteFile(TestPreferenceFile(), "count = 0\n");
  mControl->SetPreferenceFile(Utf8(blocked).c_str());
  ASSERT_EQ(Store(Value{"Window.left", 'i', 6, 0, ""}), 0);
  EXPECT_NE(Write(), 0);
  EXPECT_EQ(Window().left, 6);

  // Without the environment variable: the engine's folder in the application data folder.
  SetEnvironmentVariableW(L"" REFENGINE_PREFERENCES_ENV, nullptr);
  mControl->SetPreferenceFile(nullptr);
  wchar_t appData[MAX_PATH];
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData)));
  const int32_t length = mControl->PreferenceFile(chosen, sizeof chosen);
  EXPECT_EQ(std::string(chosen, size_t(std::max(length, 0))),
            Utf8(appData) + "\\Glimmora\\Preferences.txt");
  SetEnvironmentVariableW(L"" REFENGINE_PREFERENCES_ENV, TestPreferenceFile().c_str());
  mControl->SetPreferenceFile(nullptr);
  EXPECT_EQ(mControl->PreferenceFile(chosen, sizeof chosen),
            int32_t(Utf8(TestPreferenceFile()).size()));
}

}  // namespace
}  // namespace refengine_test
