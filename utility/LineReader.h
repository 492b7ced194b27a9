// LineReader: hands out the non-empty lines of a text one at a time.
//
// Carriage returns and line feeds both end a line and runs of them are skipped, so empty lines
// are never returned and either line-end convention works; the last line needs no line end.
// A line that lies wholly in the current data is returned in place (not zero-terminated);
// one that runs past the end of the data is gathered in the reader's own line buffer. The base
// reader works over one text in memory; a subclass may bring more data in Refill.
#pragma once

#include <cstdint>

#include "utility/UtilStr.h"

class LineReader {
 public:
  static constexpr int32_t kDataAvailable = 0;
  static constexpr int32_t kNoData = 55021;
  static constexpr int32_t kEndOfData = 55203;

  LineReader() = default;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  virtual ~LineReader() = default;

  // Forgets the data: status kNoData.
  virtual void Reset();
  // Brings more data after the current data is used up; the in-memory reader has none and
  // reports kEndOfData.
  virtual void Refill();

  // Takes a copy of the text (negative length: zero-terminated) and reads from its start.
  void SetText(const char* text, int32_t length);
  // The next non-empty line: its length, with *line pointing at its bytes; 0 and null when
  // the data has ended.
  int32_t GetLine(const char** line);

  int32_t Status() const { return mStatus; }

 protected:
  int32_t mPosition = 0;
  const char* mData = nullptr;
  int32_t mSize = 0;
  int32_t mStatus = kNoData;
  UtilStr mLine;
  UtilStr mSource;

 private:
  bool SkipLineEnds();
  int32_t GatherSplitLine(int32_t start, const char** line);
};
