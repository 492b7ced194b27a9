#include "utility/LineReader.h"

namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

void LineReader::Reset() {
  mStatus = kNoData;
  mPosition = 0;
  mData = nullptr;
  mSize = 0;
}

void LineReader::Refill() {
  mStatus = kEndOfData;
}

void LineReader::SetText(const char* text, int32_t length) {
  mSource = UtilStr(text ? text : "", text ? length : 0);
  mData = mSource.Text();
  mSize = mSource.Length();
  mPosition = 0;
  mStatus = kDataAvailable;
}

// Moves past line ends, refilling as the data runs out; false when the data has ended.
bool LineReader::SkipLineEnds() {
  while (mStatus == kDataAvailable) {
    while (mPosition < mSize && IsLineEnd(mData[mPosition])) ++mPosition;
    if (mPosition < mSize) return true;
    mPosition = mSize;
    Refill();
  }
  return false;
}

// The line from start runs past the end of the data: copy what there is and add bytes from
// the following data until a line end (consumed) or the end of all data.
int32_t LineReader::GatherSplitLine(int32_t start, const char** line) {
  mLine.Assign(mData + start, mSize - start);
  mPosition = mSize;
  Refill();
  while (mStatus == kDataAvailable) {
    if (mPosition >= mSize) {
      Refill();
      continue;
    }
    const char c = mData[mPosition++];
    if (IsLineEnd(c)) break;
    mLine.AppendChar(c);
  }
  *line = mLine.Text();
  return mLine.Length();
}

int32_t LineReader::GetLine(const char** line) {
  const char* unused = nullptr;
  if (line == nullptr) line = &unused;
  *line = nullptr;
  if (mStatus != kDataAvailable || !SkipLineEnds()) return 0;
  const int32_t start = mPosition;
  for (int32_t end = start; end < mSize; ++end) {
    if (IsLineEnd(mData[end])) {
      *line = mData + start;
      mPosition = end + 1;
      return end - start;
    }
  }
  return GatherSplitLine(start, line);
}
