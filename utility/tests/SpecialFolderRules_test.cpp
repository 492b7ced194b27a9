#include "utility/SpecialFolderRules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "utility/FileStatus.h"

namespace {

// Answers from tables and records what was asked, in order.
class FakeFolderSource final : public FolderSource {
 public:
  bool ShellFolder(int csidl, UtilStr& path) override {
    asked.push_back("csidl " + std::to_string(csidl));
    const auto found = shell.find(csidl);
    if (found == shell.end()) return false;
    path = UtilStr(found->second.c_str());
    return true;
  }
  bool Variable(const char* name, UtilStr& value) override {
    asked.push_back(name);
    const auto found = variables.find(name);
    if (found == variables.end() || found->second.empty()) return false;
    value = UtilStr(found->second.c_str());
    return true;
  }
  int32_t Executable(NVFileSpec& spec) override {
    asked.push_back("executable");
    if (executableStatus == FileStatus::kOk) spec.SetPath(UtilStr("D:\\Apps\\host.exe"));
    return executableStatus;
  }

  std::map<int, std::string> shell;
  std::map<std::string, std::string> variables;
  int32_t executableStatus = FileStatus::kOk;
  std::vector<std::string> asked;
};

// A shell that knows every folder, the way a normal system answers.
std::map<int, std::string> FullShell() {
  return {
      {Csidl::kDesktop, "C:\\Users\\u\\Desktop"},
      {Csidl::kPrograms, "C:\\Users\\u\\Start Menu\\Programs"},
      {Csidl::kPersonal, "C:\\Users\\u\\Documents"},
      {Csidl::kDesktopDirectory, "C:\\Users\\u\\Desktop\\"},
      {Csidl::kAppData, "C:\\Users\\u\\AppData\\Roaming"},
      {Csidl::kLocalAppData, "C:\\Users\\u\\AppData\\Local"},
      {Csidl::kCommonAppData, "C:\\ProgramData"},
      {Csidl::kWindows, "E:\\Windows"},
      {Csidl::kSystem, "F:\\Windows\\System32"},
      {Csidl::kProgramFiles, "C:\\Program Files"},
      {Csidl::kProgramFilesCommon, "C:\\Program Files\\Common Files"},
  };
}

struct RuleCase {
  const char* name;
  int kind;
  std::vector<int> missingCsidls;  // removed from the full shell
  int32_t status;
  std::string path;
  std::vector<std::string> asked;
};

TEST(SpecialFolderRulesTest, EachKindAsksItsSourcesInOrder) {
  const RuleCase cases[] = {
      {"program files", 1, {}, FileStatus::kOk, "C:\\Program Files", {"csidl 38"}},
      {"program files, no shell", 1, {38}, FileStatus::kOk, "C:\\Program Files", {"csidl 38"}},
      {"common data", 4, {}, FileStatus::kOk, "C:\\ProgramData", {"csidl 35"}},
      {"common data, fallback", 4, {35}, FileStatus::kOk, "E:\\Windows", {"csidl 35", "csidl 36"}},
      {"common data, as profile",
       4,
       {35, 36},
       FileStatus::kOk,
       "C:\\Users\\u",
       {"csidl 35", "csidl 36", "csidl 16"}},
      {"common data, nothing",
       4,
       {35, 36, 16, 0},
       FileStatus::kGeneralFailure,
       "Z:\\old",
       {"csidl 35", "csidl 36", "csidl 16", "csidl 0"}},
      {"common files", 5, {}, FileStatus::kOk, "C:\\Program Files\\Common Files", {"csidl 43"}},
      {"common files, fallback", 5, {43}, FileStatus::kOk, "E:\\Windows", {"csidl 43", "csidl 36"}},
      {"common data parent", 6, {}, FileStatus::kOk, "C:\\", {"csidl 35"}},
      {"common data parent, fallback", 6, {35}, FileStatus::kOk, "E:\\", {"csidl 35", "csidl 36"}},
      {"desktop", 7, {}, FileStatus::kOk, "C:\\Users\\u\\Desktop", {"csidl 16"}},
      {"desktop, fallback",
       7,
       {16},
       FileStatus::kOk,
       "C:\\Users\\u\\Desktop",
       {"csidl 16", "csidl 0"}},
      {"desktop, nothing",
       7,
       {16, 0},
       FileStatus::kGeneralFailure,
       "Z:\\old",
       {"csidl 16", "csidl 0"}},
      {"programs", 8, {}, FileStatus::kOk, "C:\\Users\\u\\Start Menu\\Programs", {"csidl 2"}},
      {"programs, no fallback", 8, {2}, FileStatus::kGeneralFailure, "Z:\\old", {"csidl 2"}},
      {"app data", 9, {}, FileStatus::kOk, "C:\\Users\\u\\AppData\\Roaming", {"csidl 26"}},
      {"app data too",
       10,
       {26},
       FileStatus::kOk,
       "C:\\Users\\u\\Documents",
       {"csidl 26", "csidl 5"}},
      {"local app data", 11, {}, FileStatus::kOk, "C:\\Users\\u\\AppData\\Local", {"csidl 28"}},
      {"local app data, fallback",
       11,
       {28},
       FileStatus::kOk,
       "C:\\Users\\u\\AppData\\Roaming",
       {"csidl 28", "csidl 26"}},
      {"drive root", 12, {}, FileStatus::kOk, "E:\\", {"csidl 36"}},
      {"drive root, fallback", 12, {36}, FileStatus::kOk, "F:\\", {"csidl 36", "csidl 37"}},
      {"drive root, nothing",
       12,
       {36, 37},
       FileStatus::kGeneralFailure,
       "Z:\\old",
       {"csidl 36", "csidl 37"}},
      {"windows", 13, {}, FileStatus::kOk, "E:\\Windows", {"csidl 36"}},
      {"windows, fallback",
       13,
       {36},
       FileStatus::kOk,
       "F:\\Windows\\System32",
       {"csidl 36", "csidl 37"}},
      {"profile", 14, {}, FileStatus::kOk, "C:\\Users\\u", {"csidl 16"}},
      {"profile, fallback", 14, {16}, FileStatus::kOk, "C:\\Users\\u", {"csidl 16", "csidl 0"}},
      {"executable", 15, {}, FileStatus::kOk, "D:\\Apps\\host.exe", {"executable"}},
      {"other kind", 0, {}, FileStatus::kOk, "C:\\Users\\u\\Desktop", {"csidl 0"}},
      {"other kind, no fallback", 16, {0}, FileStatus::kGeneralFailure, "Z:\\old", {"csidl 0"}},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFolderSource source;
    source.shell = FullShell();
    for (int csidl : c.missingCsidls) source.shell.erase(csidl);
    NVFileSpec spec;
    spec.SetPath(UtilStr("Z:\\old"));
    EXPECT_EQ(ResolveSpecialFolder(c.kind, source, spec), c.status);
    EXPECT_EQ(std::string(spec.Text()), c.path);
    EXPECT_EQ(source.asked, c.asked);
  }
}

TEST(SpecialFolderRulesTest, ProgramFilesVariables) {
  struct Case {
    const char* name;
    int kind;
    std::map<std::string, std::string> variables;
    int32_t status;
    std::string path;
  };
  const Case cases[] = {
      {"64-bit", 2, {{"ProgramW6432", "D:\\P64\\"}}, FileStatus::kOk, "D:\\P64"},
      {"64-bit missing", 2, {{"ProgramFiles", "D:\\P"}}, FileStatus::kPathNotFound, "Z:\\old"},
      {"64-bit empty", 2, {{"ProgramW6432", ""}}, FileStatus::kPathNotFound, "Z:\\old"},
      {"32-bit",
       3,
       {{"ProgramFiles(x86)", "D:\\P86"}, {"ProgramFiles", "D:\\P"}},
       FileStatus::kOk,
       "D:\\P86"},
      {"32-bit fallback", 3, {{"ProgramFiles", "D:\\P"}}, FileStatus::kOk, "D:\\P"},
      {"32-bit empty",
       3,
       {{"ProgramFiles(x86)", ""}, {"ProgramFiles", "D:\\P"}},
       FileStatus::kOk,
       "D:\\P"},
      {"32-bit missing", 3, {}, FileStatus::kPathNotFound, "Z:\\old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFolderSource source;
    source.shell = FullShell();
    source.variables = c.variables;
    NVFileSpec spec;
    spec.SetPath(UtilStr("Z:\\old"));
    EXPECT_EQ(ResolveSpecialFolder(c.kind, source, spec), c.status);
    EXPECT_EQ(std::string(spec.Text()), c.path);
  }
}

TEST(SpecialFolderRulesTest, ExecutableFailureIsPassedOn) {
  FakeFolderSource source;
  source.executableStatus = FileStatus::kAccessDenied;
  NVFileSpec spec;
  EXPECT_EQ(ResolveSpecialFolder(SpecialFolderKind::kExecutable, source, spec),
            FileStatus::kAccessDenied);
}

}  // namespace
