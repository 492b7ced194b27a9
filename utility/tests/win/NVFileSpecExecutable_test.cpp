// The executable's path and the working-folder rule for bare names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "utility/FileStatus.h"
#include "utility/NVFileSpec.h"
#include "utility/tests/win/TempTree.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string ExecutableFolderText() {
  NVFileSpec folder;
  folder.SetToExecutableFolder();
  return folder.Text();
}

// Changes the working folder for one test and puts the old one back afterwards.
class WorkingFolderScope {
 public:
  explicit WorkingFolderScope(const NVFileSpec& folder) {
    GetCurrentDirectoryW(MAX_PATH, mPrevious);
    mChanged = SetCurrentDirectoryW(WideOf(folder).c_str()) != FALSE;
  }
  ~WorkingFolderScope() { SetCurrentDirectoryW(mPrevious); }
  bool Changed() const { return mChanged; }

 private:
  wchar_t mPrevious[MAX_PATH] = {};
  bool mChanged = false;
};

TEST(NVFileSpecExecutableTest, SetToExecutableNamesThisTestProgram) {
  NVFileSpec exe;
  EXPECT_EQ(exe.SetToExecutable(), FileStatus::kOk);
  EXPECT_TRUE(EndsWith(exe.Text(), "\\utility_tests.exe")) << exe.Text();
  EXPECT_EQ(exe.GetKind(), NVFileSpec::kFile);
  EXPECT_EQ(exe.NameStart(), exe.Path().Length() - 17);

  NVFileSpec kind15;
  EXPECT_EQ(kind15.SetToSpecialFolder(SpecialFolderKind::kExecutable), FileStatus::kOk);
  EXPECT_STREQ(kind15.Text(), exe.Text());
}

TEST(NVFileSpecExecutableTest, SetToExecutableFolderIsTheFolderAbove) {
  NVFileSpec exe;
  ASSERT_EQ(exe.SetToExecutable(), FileStatus::kOk);
  NVFileSpec folder;
  folder.SetToExecutableFolder();
  EXPECT_EQ(std::string(folder.Text()) + "\\utility_tests.exe", exe.Text());
  EXPECT_EQ(folder.GetKind(), NVFileSpec::kFolder);
}

TEST(NVFileSpecExecutableTest, SetFromTextPlacesBareNamesInTheWorkingFolder) {
  TempTree tree;
  WorkingFolderScope scope(tree.Root());
  ASSERT_TRUE(scope.Changed());
  const std::string root = tree.Root().Text();
  struct Case {
    std::string text;
    std::string path;
  };
  const Case cases[] = {
      {"engine.txt", root + "\\engine.txt"},
      {"sub/file.txt", root + "\\sub/file.txt"},  // only a backslash marks a path
      {"D:\\elsewhere\\file.txt", "D:\\elsewhere\\file.txt"},
      {"\\\\?\\C:\\x\\", "C:\\x"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    NVFileSpec spec;
    spec.SetPath(UtilStr("Z:\\previous"));
    spec.SetFromText(UtilStr(c.text.c_str()));
    EXPECT_EQ(std::string(spec.Text()), c.path);
  }
}

TEST(NVFileSpecExecutableTest, SetFromTextFallsBackToTheExecutableFolder) {
  // The system will not delete a process's working folder while it is current, but it lets
  // the folder above it move away, which leaves the working folder's path naming nothing.
  TempTree tree;
  ASSERT_TRUE(MakeFolder(tree.Child("parent")));
  const NVFileSpec gone = tree.Child("parent\\working");
  ASSERT_TRUE(MakeFolder(gone));
  WorkingFolderScope scope(gone);
  ASSERT_TRUE(scope.Changed());
  ASSERT_TRUE(MoveFileW(WideOf(tree.Child("parent")).c_str(), WideOf(tree.Child("moved")).c_str()))
      << "error " << GetLastError();
  ASSERT_EQ(gone.GetKind(), NVFileSpec::kNothing);

  NVFileSpec spec;
  spec.SetFromText(UtilStr("engine.txt"));
  EXPECT_EQ(std::string(spec.Text()), ExecutableFolderText() + "\\engine.txt");
}

}  // namespace
