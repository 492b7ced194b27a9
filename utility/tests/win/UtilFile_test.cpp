// UtilFile in its four modes against real files in a temporary tree.
#include "utility/UtilFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "utility/FileStatus.h"
#include "utility/tests/win/TempTree.h"

namespace {

const std::string kTenBytes = "0123456789";

class UtilFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteBytes(tenBytes, kTenBytes)); }

  TempTree tree;
  const NVFileSpec tenBytes = tree.Child("ten.bin");
  const NVFileSpec missing = tree.Child("missing.bin");
};

TEST_F(UtilFileTest, OpeningMissingFilesDependsOnTheMode) {
  struct Case {
    int mode;
    int32_t status;
    bool created;
  };
  const Case cases[] = {
      {FileMode::kReadSequential, FileStatus::kFileNotFound, false},
      {FileMode::kReadRandom, FileStatus::kFileNotFound, false},
      {FileMode::kWriteSequential, FileStatus::kOk, true},
      {FileMode::kReadWriteRandom, FileStatus::kOk, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    DeleteFileW(WideOf(missing).c_str());
    UtilFile file;
    EXPECT_EQ(file.Open(missing, c.mode), c.status);
    EXPECT_EQ(file.IsOpen(), c.created);
    file.Close();
    EXPECT_EQ(ReadBytes(missing), c.created ? "" : "<missing>");
  }
}

TEST_F(UtilFileTest, OpeningInAMissingFolderOrWithoutAPathFails) {
  struct Case {
    NVFileSpec spec;
    int mode;
    int32_t status;
  };
  const Case cases[] = {
      {tree.Child("no-folder\\file.bin"), FileMode::kReadSequential, FileStatus::kPathNotFound},
      {tree.Child("no-folder\\file.bin"), FileMode::kWriteSequential, FileStatus::kPathNotFound},
      {NVFileSpec(), FileMode::kReadSequential, FileStatus::kFileNotFound},
      {tree.Root(), FileMode::kReadSequential, FileStatus::kAccessDenied},  // a folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.spec.Text()) + " mode " + std::to_string(c.mode));
    UtilFile file;
    EXPECT_EQ(file.Open(c.spec, c.mode), c.status);
    EXPECT_FALSE(file.IsOpen());
    NVFileHandle handle = reinterpret_cast<NVFileHandle>(1);
    EXPECT_EQ(c.spec.OpenHandle(c.mode, &handle), c.status);
    EXPECT_EQ(handle, nullptr);
  }
}

TEST_F(UtilFileTest, ModeOutsideOneToFourIsRefusedAndChangesNothing) {
  UtilFile file;
  ASSERT_EQ(file.Open(tenBytes, FileMode::kReadRandom), FileStatus::kOk);
  for (int mode : {0, 5, -1}) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(file.Open(tenBytes, mode), FileStatus::kWrongMode);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Mode(), FileMode::kReadRandom);
    NVFileHandle handle = nullptr;
    EXPECT_EQ(tenBytes.OpenHandle(mode, &handle), FileStatus::kWrongMode);
    EXPECT_EQ(handle, nullptr);
  }
}

TEST_F(UtilFileTest, SequentialWriteCutsTheFileRandomWriteKeepsTheRest) {
  struct Case {
    int mode;
    std::string content;
  };
  const Case cases[] = {
      {FileMode::kWriteSequential, "abc"},
      {FileMode::kReadWriteRandom, "abc3456789"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    ASSERT_TRUE(WriteBytes(tenBytes, kTenBytes));
    UtilFile file;
    ASSERT_EQ(file.Open(tenBytes, c.mode), FileStatus::kOk);
    int32_t done = -1;
    EXPECT_EQ(file.Write("abc", 3, &done), FileStatus::kOk);
    EXPECT_EQ(done, 3);
    EXPECT_EQ(file.Written(), 3);
    EXPECT_EQ(file.Close(), FileStatus::kOk);
    EXPECT_EQ(ReadBytes(tenBytes), c.content);
  }
}

TEST_F(UtilFileTest, DestroyingASequentialWriterCutsTheFileToo) {
  {
    UtilFile file;
    ASSERT_EQ(file.Open(tenBytes, FileMode::kWriteSequential), FileStatus::kOk);
    ASSERT_EQ(file.Write("ab", 2, nullptr), FileStatus::kOk);
  }
  EXPECT_EQ(ReadBytes(tenBytes), "ab");
}

TEST_F(UtilFileTest, PositioningFollowsTheMode) {
  struct Case {
    int mode;
    int32_t seekTo5;
    int32_t seekToEnd;
  };
  const Case cases[] = {
      {FileMode::kReadSequential, FileStatus::kBadPosition, FileStatus::kWrongMode},
      {FileMode::kReadRandom, FileStatus::kOk, FileStatus::kOk},
      {FileMode::kWriteSequential, FileStatus::kBadPosition, FileStatus::kWrongMode},
      {FileMode::kReadWriteRandom, FileStatus::kOk, FileStatus::kOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    ASSERT_TRUE(WriteBytes(tenBytes, kTenBytes));
    UtilFile file;
    ASSERT_EQ(file.Open(tenBytes, c.mode), FileStatus::kOk);
    EXPECT_EQ(file.Tell(), 0);
    EXPECT_EQ(file.SeekTo(5), c.seekTo5);
    EXPECT_EQ(file.Tell(), c.seekTo5 == FileStatus::kOk ? 5 : 0);
    EXPECT_EQ(file.SeekTo(0), FileStatus::kOk);
    EXPECT_EQ(file.SeekTo(-1), FileStatus::kBadPosition);
    EXPECT_EQ(file.SeekToEnd(), c.seekToEnd);
    EXPECT_EQ(file.Tell(), c.seekToEnd == FileStatus::kOk ? 10 : 0);
    file.Close();
  }
}

TEST_F(UtilFileTest, ReadsAndWritesNeedAMatchingMode) {
  struct Case {
    int mode;
    int32_t read;
    int32_t write;
  };
  const Case cases[] = {
      {FileMode::kReadSequential, FileStatus::kOk, FileStatus::kWrongMode},
      {FileMode::kReadRandom, FileStatus::kOk, FileStatus::kWrongMode},
      {FileMode::kWriteSequential, FileStatus::kWrongMode, FileStatus::kOk},
      {FileMode::kReadWriteRandom, FileStatus::kOk, FileStatus::kOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    ASSERT_TRUE(WriteBytes(tenBytes, kTenBytes));
    UtilFile file;
    ASSERT_EQ(file.Open(tenBytes, c.mode), FileStatus::kOk);
    char buffer[4] = {};
    int32_t done = -1;
    EXPECT_EQ(file.Read(buffer, 2, &done), c.read);
    EXPECT_EQ(done, c.read == FileStatus::kOk ? 2 : 0);
    EXPECT_EQ(file.Write("xy", 2, &done), c.write);
    EXPECT_EQ(done, c.write == FileStatus::kOk ? 2 : 0);
    EXPECT_EQ(file.Read(buffer, -1, &done), FileStatus::kNegativeCount);
    EXPECT_EQ(file.Write(buffer, -1, &done), FileStatus::kNegativeCount);
  }
}

TEST_F(UtilFileTest, ReadGivesExactCountsAndTellFollows) {
  UtilFile file;
  ASSERT_EQ(file.Open(tenBytes, FileMode::kReadSequential), FileStatus::kOk);
  EXPECT_EQ(file.GetSize(), 10);
  char buffer[32] = {};
  int32_t done = -1;
  EXPECT_EQ(file.Read(buffer, 7, &done), FileStatus::kOk);
  EXPECT_EQ(std::string(buffer, done), "0123456");
  EXPECT_EQ(file.Tell(), 7);
  // Only three bytes are left: the shortfall is a failure that still reports what arrived.
  EXPECT_EQ(file.Read(buffer, 20, &done), FileStatus::kIoFailure);
  EXPECT_EQ(std::string(buffer, done), "789");
}

TEST_F(UtilFileTest, NullBufferSkipsWhereSeekingIsAllowed) {
  UtilFile random;
  ASSERT_EQ(random.Open(tenBytes, FileMode::kReadRandom), FileStatus::kOk);
  int32_t done = -1;
  EXPECT_EQ(random.Read(nullptr, 4, &done), FileStatus::kOk);
  EXPECT_EQ(done, 4);
  char byte = 0;
  EXPECT_EQ(random.Read(&byte, 1, &done), FileStatus::kOk);
  EXPECT_EQ(byte, '4');

  UtilFile sequential;
  ASSERT_EQ(sequential.Open(tenBytes, FileMode::kReadSequential), FileStatus::kOk);
  EXPECT_EQ(sequential.Read(nullptr, 4, &done), FileStatus::kBadPosition);
  EXPECT_EQ(done, 0);
  EXPECT_EQ(sequential.Tell(), 0);
}

TEST_F(UtilFileTest, WritingAfterASkipLeavesAGap) {
  UtilFile file;
  ASSERT_EQ(file.Open(missing, FileMode::kReadWriteRandom), FileStatus::kOk);
  int32_t done = -1;
  EXPECT_EQ(file.Write(nullptr, 3, &done), FileStatus::kOk);
  EXPECT_EQ(done, 3);
  EXPECT_EQ(file.Write("z", 1, &done), FileStatus::kOk);
  EXPECT_EQ(file.Written(), 1);  // skipped bytes are not written bytes
  file.Close();
  EXPECT_EQ(ReadBytes(missing), std::string("\0\0\0z", 4));
}

TEST_F(UtilFileTest, ClosedFileRefusesEverything) {
  UtilFile file;
  char buffer[4];
  int32_t done = -1;
  EXPECT_EQ(file.Close(), FileStatus::kWrongMode);
  EXPECT_EQ(file.GetSize(), 0);
  EXPECT_EQ(file.Tell(), -1);
  EXPECT_EQ(file.SeekTo(0), FileStatus::kWrongMode);
  EXPECT_EQ(file.SeekToEnd(), FileStatus::kWrongMode);
  EXPECT_EQ(file.Read(buffer, 1, &done), FileStatus::kWrongMode);
  EXPECT_EQ(file.Write("x", 1, &done), FileStatus::kWrongMode);
  EXPECT_EQ(done, 0);
  ASSERT_EQ(file.Open(tenBytes, FileMode::kReadSequential), FileStatus::kOk);
  EXPECT_EQ(file.Close(), FileStatus::kOk);
  EXPECT_EQ(file.Close(), FileStatus::kWrongMode);
}

TEST_F(UtilFileTest, OtherOpenersAreLetInOnlyToRead) {
  struct Case {
    int firstMode;
    int secondMode;
    int32_t status;
  };
  const Case cases[] = {
      {FileMode::kReadSequential, FileMode::kReadRandom, FileStatus::kOk},
      // Sharing violations have no status of their own.
      {FileMode::kReadSequential, FileMode::kWriteSequential, FileStatus::kGeneralFailure},
      {FileMode::kWriteSequential, FileMode::kReadSequential, FileStatus::kGeneralFailure},
      {FileMode::kReadWriteRandom, FileMode::kReadRandom, FileStatus::kGeneralFailure},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("modes " + std::to_string(c.firstMode) + ", " + std::to_string(c.secondMode));
    UtilFile first;
    ASSERT_EQ(first.Open(tenBytes, c.firstMode), FileStatus::kOk);
    UtilFile second;
    EXPECT_EQ(second.Open(tenBytes, c.secondMode), c.status);
    EXPECT_EQ(second.IsOpen(), c.status == FileStatus::kOk);
  }
}

TEST_F(UtilFileTest, OpenPathFindsBareNamesInTheWorkingFolder) {
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(WideOf(tree.Root()).c_str()));
  UtilFile file;
  const int32_t status = file.OpenPath(UtilStr("ten.bin"), FileMode::kReadSequential);
  SetCurrentDirectoryW(previous);
  ASSERT_EQ(status, FileStatus::kOk);
  EXPECT_EQ(file.GetSize(), 10);

  UtilFile byPath;
  EXPECT_EQ(byPath.OpenPath(tenBytes.Path(), FileMode::kReadSequential), FileStatus::kOk);
}

TEST_F(UtilFileTest, LongPathsOpenUpToTheOpenBuffer) {
  const NVFileSpec deep = MakeDeepFolder(tree.Root(), 700);
  ASSERT_FALSE(deep.IsEmpty());
  NVFileSpec file;
  file.SetChild("data.bin", -1, deep);
  {
    UtilFile writer;
    ASSERT_EQ(writer.Open(file, FileMode::kWriteSequential), FileStatus::kOk);
    ASSERT_EQ(writer.Write("deep", 4, nullptr), FileStatus::kOk);
  }
  EXPECT_EQ(ReadBytes(file), "deep");

  // Deeper than the 1024-unit buffer of opening, though well within reach of GetKind.
  const NVFileSpec deeper = MakeDeepFolder(deep, NVFileSpec::kOpenWideCapacity + 20);
  ASSERT_FALSE(deeper.IsEmpty());
  NVFileSpec beyond;
  beyond.SetChild("data.bin", -1, deeper);
  ASSERT_TRUE(WriteBytes(beyond, "beyond"));
  EXPECT_EQ(beyond.GetKind(), NVFileSpec::kFile);
  UtilFile reader;
  EXPECT_EQ(reader.Open(beyond, FileMode::kReadSequential), FileStatus::kPathNotFound);
}

TEST_F(UtilFileTest, NetworkPathToAMissingServerIsNotFound) {
  NVFileSpec network;
  network.SetPath(UtilStr("\\\\no-such-server.invalid\\share\\file.bin"));
  UtilFile file;
  EXPECT_EQ(file.Open(network, FileMode::kReadSequential), FileStatus::kPathNotFound);
}

TEST_F(UtilFileTest, ReadAllHonoursTheMaximum) {
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += static_cast<char>('A' + i % 26);
  hundred[50] = '\0';  // binary content survives
  const NVFileSpec file = tree.Child("hundred.bin");
  ASSERT_TRUE(WriteBytes(file, hundred));
  struct Case {
    int32_t maximum;
    int32_t status;
    size_t length;
  };
  const Case cases[] = {
      {40, FileStatus::kOk, 40},
      {200, FileStatus::kShorterThanMaximum, 100},
      {-1, FileStatus::kOk, 100},
      {100, FileStatus::kOk, 100},
      {101, FileStatus::kShorterThanMaximum, 100},
      {0, FileStatus::kOk, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.maximum);
    UtilStr text("old content");
    EXPECT_EQ(file.ReadAll(c.maximum, text), c.status);
    EXPECT_EQ(std::string(text.Text(), text.Length()), hundred.substr(0, c.length));
  }
}

TEST_F(UtilFileTest, ReadAllFailureLeavesTheTextEmpty) {
  const NVFileSpec empty = tree.Child("empty.bin");
  ASSERT_TRUE(WriteBytes(empty, ""));
  struct Case {
    NVFileSpec spec;
    int32_t status;
  };
  const Case cases[] = {
      {missing, FileStatus::kFileNotFound},
      {tree.Child("no-folder\\x.txt"), FileStatus::kPathNotFound},
      {tree.Root(), FileStatus::kAccessDenied},
      {NVFileSpec(), FileStatus::kFileNotFound},
      {empty, FileStatus::kShorterThanMaximum},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spec.Text());
    UtilStr text("old content");
    EXPECT_EQ(c.spec.ReadAll(55001, text), c.status);
    EXPECT_EQ(text.Length(), 0);
  }
}

TEST_F(UtilFileTest, ReadAllOfAFileLockedForWritingFails) {
  UtilFile writer;
  ASSERT_EQ(writer.Open(tenBytes, FileMode::kWriteSequential), FileStatus::kOk);
  UtilStr text("old content");
  EXPECT_EQ(tenBytes.ReadAll(-1, text), FileStatus::kGeneralFailure);
  EXPECT_EQ(text.Length(), 0);
}

TEST_F(UtilFileTest, OpenHandleGivesAUsableHandle) {
  NVFileHandle handle = nullptr;
  ASSERT_EQ(tenBytes.OpenHandle(FileMode::kReadSequential, &handle), FileStatus::kOk);
  ASSERT_NE(handle, nullptr);
  char buffer[10] = {};
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(handle, buffer, sizeof(buffer), &got, nullptr));
  CloseHandle(handle);
  EXPECT_EQ(std::string(buffer, got), kTenBytes);
}

}  // namespace
