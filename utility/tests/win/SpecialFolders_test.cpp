// The standard folders of the test's own Wine prefix, checked against the environment the
// system sets up for the same folders, and the environment-variable kinds.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "utility/FileStatus.h"
#include "utility/NVFileSpec.h"

namespace {

std::optional<std::wstring> ReadVariable(const wchar_t* name) {
  std::wstring value(32768, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), 32768);
  if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  value.resize(length);
  return value;
}

std::string Utf8Of(const std::wstring& wide) {
  UtilStr text;
  text.AssignUtf16(reinterpret_cast<const char16_t*>(wide.c_str()),
                   static_cast<int32_t>(wide.size()));
  return text.Text();
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Sets or removes an environment variable for one test and restores it afterwards.
class VariableScope {
 public:
  VariableScope(const wchar_t* name, const wchar_t* value)
      : mName(name), mPrevious(ReadVariable(name)) {
    SetEnvironmentVariableW(name, value);
  }
  ~VariableScope() { SetEnvironmentVariableW(mName, mPrevious ? mPrevious->c_str() : nullptr); }
  VariableScope(const VariableScope&) = delete;
  VariableScope& operator=(const VariableScope&) = delete;

 private:
  const wchar_t* mName;
  std::optional<std::wstring> mPrevious;
};

class SpecialFoldersTest : public ::testing::Test {
 protected:
  // The shell is asked only when something has loaded it, as a host process would have.
  static void SetUpTestSuite() { LoadLibraryW(L"shell32.dll"); }

  static std::string Folder(int kind, int32_t* status = nullptr) {
    NVFileSpec spec;
    const int32_t result = spec.SetToSpecialFolder(kind);
    if (status != nullptr) *status = result;
    return spec.Text();
  }
};

TEST_F(SpecialFoldersTest, ShellKindsMatchThePrefixFolders) {
  const std::string profile = Utf8Of(ReadVariable(L"USERPROFILE").value_or(L"?"));
  const std::string appData = Utf8Of(ReadVariable(L"APPDATA").value_or(L"?"));
  const std::string windows = Utf8Of(ReadVariable(L"windir").value_or(L"?"));
  const std::string programData = Utf8Of(ReadVariable(L"ProgramData").value_or(L"?"));
  struct Case {
    int kind;
    std::string path;
  };
  const Case cases[] = {
      {SpecialFolderKind::kProgramFiles, Utf8Of(ReadVariable(L"ProgramFiles").value_or(L"?"))},
      {SpecialFolderKind::kCommonAppData, programData},
      {SpecialFolderKind::kCommonFiles, Utf8Of(ReadVariable(L"CommonProgramFiles").value_or(L"?"))},
      {SpecialFolderKind::kCommonAppDataParent, programData.substr(0, 3)},
      {SpecialFolderKind::kDesktop, profile + "\\Desktop"},
      {SpecialFolderKind::kStartMenuPrograms,
       appData + "\\Microsoft\\Windows\\Start Menu\\Programs"},
      {SpecialFolderKind::kAppData, appData},
      {SpecialFolderKind::kAppDataToo, appData},
      {SpecialFolderKind::kLocalAppData, Utf8Of(ReadVariable(L"LOCALAPPDATA").value_or(L"?"))},
      {SpecialFolderKind::kSystemDriveRoot, windows.substr(0, 3)},
      {SpecialFolderKind::kWindows, windows},
      {SpecialFolderKind::kUserProfile, profile},
      {0, profile + "\\Desktop"},  // any other kind: the desktop
      {99, profile + "\\Desktop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind));
    int32_t status = -1;
    const std::string path = Folder(c.kind, &status);
    EXPECT_EQ(status, FileStatus::kOk);
    EXPECT_EQ(Lower(path), Lower(c.path));
    NVFileSpec spec;
    spec.SetPath(UtilStr(path.c_str()));
    EXPECT_EQ(spec.GetKind(), NVFileSpec::kFolder);
  }
}

TEST_F(SpecialFoldersTest, SystemDriveRootIsThreeBytes) {
  const std::string root = Folder(SpecialFolderKind::kSystemDriveRoot);
  ASSERT_EQ(root.size(), 3u);
  EXPECT_EQ(root.substr(1), ":\\");
}

TEST_F(SpecialFoldersTest, ProgramFiles64ComesFromItsVariable) {
  struct Case {
    const wchar_t* value;  // null: removed
    int32_t status;
    std::string path;
  };
  const Case cases[] = {
      {L"D:\\Custom\\Programs\\", FileStatus::kOk, "D:\\Custom\\Programs"},
      {L"\\\\?\\E:\\Apps", FileStatus::kOk, "E:\\Apps"},
      {nullptr, FileStatus::kPathNotFound, "Z:\\unchanged"},
      {L"", FileStatus::kPathNotFound, "Z:\\unchanged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? Utf8Of(c.value) : "(removed)");
    VariableScope variable(L"ProgramW6432", c.value);
    NVFileSpec spec;
    spec.SetPath(UtilStr("Z:\\unchanged"));
    EXPECT_EQ(spec.SetToSpecialFolder(SpecialFolderKind::kProgramFiles64), c.status);
    EXPECT_STREQ(spec.Text(), c.path.c_str());
  }
}

TEST_F(SpecialFoldersTest, ProgramFiles32FallsBackToProgramFiles) {
  struct Case {
    const wchar_t* x86;
    const wchar_t* plain;
    int32_t status;
    std::string path;
  };
  const Case cases[] = {
      {L"D:\\Programs (x86)", L"D:\\Programs", FileStatus::kOk, "D:\\Programs (x86)"},
      {nullptr, L"D:\\Programs", FileStatus::kOk, "D:\\Programs"},
      {L"", L"D:\\Programs", FileStatus::kOk, "D:\\Programs"},
      {nullptr, nullptr, FileStatus::kPathNotFound, "Z:\\unchanged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x86 ? Utf8Of(c.x86) : "(removed)");
    VariableScope x86(L"ProgramFiles(x86)", c.x86);
    VariableScope plain(L"ProgramFiles", c.plain);
    NVFileSpec spec;
    spec.SetPath(UtilStr("Z:\\unchanged"));
    EXPECT_EQ(spec.SetToSpecialFolder(SpecialFolderKind::kProgramFiles32), c.status);
    EXPECT_STREQ(spec.Text(), c.path.c_str());
  }
}

TEST_F(SpecialFoldersTest, VariableLongerThanTheUsualBufferIsReadWhole) {
  std::wstring value = L"D:";
  while (value.size() < 3000) value += L"\\very-long-folder-name";
  VariableScope variable(L"ProgramW6432", value.c_str());
  NVFileSpec spec;
  EXPECT_EQ(spec.SetToSpecialFolder(SpecialFolderKind::kProgramFiles64), FileStatus::kOk);
  EXPECT_EQ(std::string(spec.Text()), Utf8Of(value));
}

TEST_F(SpecialFoldersTest, NonAsciiFolderNamesArriveAsUtf8) {
  VariableScope variable(L"ProgramW6432", L"D:\\Programm\u00e4\\\u65e5\u672c");
  NVFileSpec spec;
  EXPECT_EQ(spec.SetToSpecialFolder(SpecialFolderKind::kProgramFiles64), FileStatus::kOk);
  EXPECT_STREQ(spec.Text(), "D:\\Programm\xc3\xa4\\\xe6\x97\xa5\xe6\x9c\xac");
}

}  // namespace
