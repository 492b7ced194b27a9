// GetKind and Delete against a real temporary tree, long paths and network-style paths.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "utility/FileStatus.h"
#include "utility/NVFileSpec.h"
#include "utility/tests/win/TempTree.h"

namespace {

NVFileSpec SpecOf(const std::string& path) {
  NVFileSpec spec;
  spec.SetPath(UtilStr(path.c_str()));
  return spec;
}

class NVFileSpecSystemTest : public ::testing::Test {
 protected:
  TempTree tree;
};

TEST_F(NVFileSpecSystemTest, GetKindTellsFilesFromFolders) {
  ASSERT_TRUE(WriteBytes(tree.Child("file.txt"), "abc"));
  ASSERT_TRUE(MakeFolder(tree.Child("folder")));
  struct Case {
    NVFileSpec spec;
    int kind;
  };
  const Case cases[] = {
      {tree.Child("file.txt"), NVFileSpec::kFile},
      {tree.Child("folder"), NVFileSpec::kFolder},
      {SpecOf(std::string(tree.Root().Text()) + "\\folder\\"), NVFileSpec::kFolder},
      {tree.Child("missing.txt"), NVFileSpec::kNothing},
      {tree.Child("missing\\file.txt"), NVFileSpec::kNothing},
      {NVFileSpec(), NVFileSpec::kNothing},
      {SpecOf("C:\\"), NVFileSpec::kFolder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spec.Text());
    EXPECT_EQ(c.spec.GetKind(), c.kind);
  }
}

TEST_F(NVFileSpecSystemTest, ParentOfTopLevelFolderIsAnExistingDriveRoot) {
  NVFileSpec parent;
  parent.SetParent(SpecOf("C:\\windows"));
  EXPECT_STREQ(parent.Text(), "C:\\");
  EXPECT_EQ(parent.GetKind(), NVFileSpec::kFolder);
}

TEST_F(NVFileSpecSystemTest, DeleteRemovesFilesAndEmptyFolders) {
  const NVFileSpec file = tree.Child("file.txt");
  const NVFileSpec folder = tree.Child("empty");
  ASSERT_TRUE(WriteBytes(file, "abc"));
  ASSERT_TRUE(MakeFolder(folder));
  for (const NVFileSpec& spec : {file, folder}) {
    SCOPED_TRACE(spec.Text());
    EXPECT_EQ(spec.Delete(), FileStatus::kOk);
    EXPECT_EQ(GetFileAttributesW(WideOf(spec).c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(NVFileSpecSystemTest, DeleteReportsWhatStandsInTheWay) {
  const NVFileSpec full = tree.Child("full");
  ASSERT_TRUE(MakeFolder(full));
  ASSERT_TRUE(WriteBytes(tree.Child("full\\inside.txt"), "x"));
  EXPECT_EQ(full.Delete(), FileStatus::kFolderNotEmpty);
  EXPECT_EQ(full.GetKind(), NVFileSpec::kFolder);
  EXPECT_EQ(ReadBytes(tree.Child("full\\inside.txt")), "x");

  EXPECT_EQ(tree.Child("missing.txt").Delete(), FileStatus::kFileNotFound);
  EXPECT_EQ(NVFileSpec().Delete(), FileStatus::kFileNotFound);
}

TEST_F(NVFileSpecSystemTest, DeleteOfAFileHeldOpenByAnotherOpenerIsRefused) {
  const NVFileSpec file = tree.Child("held.txt");
  ASSERT_TRUE(WriteBytes(file, "abc"));
  // Another opener that does not let anyone delete the file.
  const HANDLE holder = CreateFileW(WideOf(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const int32_t status = file.Delete();
  CloseHandle(holder);
  // The sharing violation has no status of its own.
  EXPECT_EQ(status, FileStatus::kGeneralFailure);
  EXPECT_EQ(ReadBytes(file), "abc");
}

TEST_F(NVFileSpecSystemTest, LongPathsWork) {
  const NVFileSpec deep = MakeDeepFolder(tree.Root(), 600);
  ASSERT_GT(deep.Path().Length(), MAX_PATH);
  NVFileSpec file;
  file.SetChild("file.txt", -1, deep);
  ASSERT_TRUE(WriteBytes(file, "long"));
  EXPECT_EQ(deep.GetKind(), NVFileSpec::kFolder);
  EXPECT_EQ(file.GetKind(), NVFileSpec::kFile);
  EXPECT_EQ(deep.Delete(), FileStatus::kFolderNotEmpty);
  EXPECT_EQ(file.Delete(), FileStatus::kOk);
  EXPECT_EQ(file.GetKind(), NVFileSpec::kNothing);
  EXPECT_EQ(deep.Delete(), FileStatus::kOk);
}

TEST_F(NVFileSpecSystemTest, PathBeyondTheWideBufferNamesNothing) {
  // Folders that exist, one reachable within the 2048-unit buffer and one deeper than it.
  const NVFileSpec reachable = MakeDeepFolder(tree.Root(), 1900);
  ASSERT_FALSE(reachable.IsEmpty());
  ASSERT_LT(reachable.Path().Length(), NVFileSpec::kWideCapacity - 10);
  const NVFileSpec beyond = MakeDeepFolder(reachable, NVFileSpec::kWideCapacity + 10);
  ASSERT_FALSE(beyond.IsEmpty());
  ASSERT_NE(GetFileAttributesW(WideOf(beyond).c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_EQ(reachable.GetKind(), NVFileSpec::kFolder);
  EXPECT_EQ(beyond.GetKind(), NVFileSpec::kNothing);
  EXPECT_EQ(beyond.Delete(), FileStatus::kFileNotFound);
  EXPECT_NE(GetFileAttributesW(WideOf(beyond).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(NVFileSpecSystemTest, NetworkStylePathsReachTheSystemUnprefixed) {
  const NVFileSpec network = SpecOf("\\\\?\\UNC\\no-such-server.invalid\\share\\file.txt");
  EXPECT_STREQ(network.Text(), "\\\\no-such-server.invalid\\share\\file.txt");
  EXPECT_EQ(WideOf(network), L"\\\\no-such-server.invalid\\share\\file.txt");
  EXPECT_EQ(network.GetKind(), NVFileSpec::kNothing);
  EXPECT_EQ(network.Delete(), FileStatus::kFileNotFound);
}

TEST_F(NVFileSpecSystemTest, UrlTextsNameNothingOnDisk) {
  const NVFileSpec url = SpecOf("http://example.invalid/track.mp3");
  EXPECT_EQ(WideOf(url), L"http://example.invalid/track.mp3");
  EXPECT_EQ(url.GetKind(), NVFileSpec::kNothing);
}

}  // namespace
