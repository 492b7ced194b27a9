#include "utility/LineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadAllLines(LineReader& reader) {
  std::vector<std::string> lines;
  const char* line = nullptr;
  for (int32_t length; (length = reader.GetLine(&line)) > 0;) lines.emplace_back(line, length);
  EXPECT_EQ(line, nullptr);
  return lines;
}

TEST(LineReaderTest, ReturnsTheNonEmptyLines) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"leading line ends, no final one", "\n\r\rab", {"ab"}},
      {"both conventions", "one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
      {"empty lines skipped", "a\n\n\r\n\nb\n", {"a", "b"}},
      {"tabs and blanks are content", " x\ty \n", {" x\ty "}},
      {"zero bytes are content", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
      {"only line ends", "\r\n\r\n", {}},
      {"empty", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LineReader reader;
    reader.SetText(c.text.data(), static_cast<int32_t>(c.text.size()));
    EXPECT_EQ(ReadAllLines(reader), c.expected);
    EXPECT_EQ(reader.Status(), LineReader::kEndOfData);
  }
}

TEST(LineReaderTest, CompleteLinesAreReturnedInPlace) {
  LineReader reader;
  reader.SetText("first\nlast", -1);
  const char* line = nullptr;
  ASSERT_EQ(reader.GetLine(&line), 5);
  const char* firstLine = line;
  ASSERT_EQ(reader.GetLine(&line), 4);
  // "last" has no line end, so it was gathered elsewhere; "first" was not copied.
  EXPECT_EQ(std::string(firstLine, 5), "first");
  EXPECT_EQ(firstLine[5], '\n');
  EXPECT_EQ(std::string(line, 4), "last");
}

TEST(LineReaderTest, ResetForgetsTheData) {
  LineReader reader;
  EXPECT_EQ(reader.Status(), LineReader::kNoData);
  reader.SetText("abc", -1);
  reader.Reset();
  const char* line = "stale";
  EXPECT_EQ(reader.GetLine(&line), 0);
  EXPECT_EQ(line, nullptr);
  EXPECT_EQ(reader.Status(), LineReader::kNoData);
}

// Delivers its text in fixed pieces, the way a reader over a stream would.
class PiecewiseReader : public LineReader {
 public:
  explicit PiecewiseReader(std::vector<std::string> pieces) : mPieces(std::move(pieces)) {
    Refill();
  }

  void Refill() override {
    if (mNext == mPieces.size()) {
      LineReader::Refill();
      return;
    }
    const std::string& piece = mPieces[mNext++];
    mData = piece.data();
    mSize = static_cast<int32_t>(piece.size());
    mPosition = 0;
    mStatus = kDataAvailable;
  }

 private:
  std::vector<std::string> mPieces;
  size_t mNext = 0;
};

TEST(LineReaderTest, LinesMayRunAcrossRefills) {
  struct Case {
    const char* name;
    std::vector<std::string> pieces;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"line split in three", {"ab", "c", "d\nef"}, {"abcd", "ef"}},
      {"line end at a piece start", {"ab", "\ncd"}, {"ab", "cd"}},
      {"line ends across pieces", {"a\r", "\n", "\n", "b"}, {"a", "b"}},
      {"empty pieces", {"", "x", "", "y\n"}, {"xy"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PiecewiseReader reader(c.pieces);
    EXPECT_EQ(ReadAllLines(reader), c.expected);
  }
}

}  // namespace
