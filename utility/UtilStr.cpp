#include "utility/UtilStr.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utility/LogMessage.h"
#include "utility/TextFunctions.h"
#include "utility/TextRules.h"

namespace {

// The text of every empty string. It is never written: only exclusive strings, which own a
// block, change their bytes in place.
char sEmptyText[1] = {0};

void* DefaultAllocate(UtilAllocator* self, size_t bytes) {
  void* block = malloc(bytes);
  if (block == nullptr) {
    fputs("UtilStr: out of memory\n", stderr);
    abort();
  }
  ++self->liveBlocks;
  return block;
}

void DefaultFree(UtilAllocator* self, void* block) {
  --self->liveBlocks;
  free(block);
}

UtilAllocator sDefaultAllocator = {DefaultAllocate, DefaultFree, 0};

// Reference counts are shared between threads; the acquire-release decrement makes the last
// owner see every write of the others before it frees the block.
inline void AddReference(UtilStrBuffer* buffer) {
  __atomic_add_fetch(&buffer->refCount, 1, __ATOMIC_RELAXED);
}

inline int32_t DropReference(UtilStrBuffer* buffer) {
  return __atomic_sub_fetch(&buffer->refCount, 1, __ATOMIC_ACQ_REL);
}

inline int32_t ReferenceCount(const UtilStrBuffer* buffer) {
  return __atomic_load_n(&buffer->refCount, __ATOMIC_ACQUIRE);
}

void FreeIfLast(UtilStrBuffer* buffer) {
  if (buffer != nullptr && DropReference(buffer) <= 0) {
    UtilAllocator* allocator = buffer->allocator;
    allocator->free(allocator, buffer);
  }
}

UtilStrBuffer* MakeBuffer(UtilAllocator* allocator, int32_t capacity) {
  auto* buffer = static_cast<UtilStrBuffer*>(allocator->allocate(
      allocator, UtilStrBuffer::HeaderSize() + static_cast<size_t>(capacity) + 2));
  buffer->refCount = 1;
  buffer->capacity = capacity;
  buffer->allocator = allocator;
  buffer->Content()[capacity] = 0;
  buffer->Content()[capacity + 1] = 0;
  return buffer;
}

// A zero-terminated length as the string operations take it; texts too long for a string
// count as empty.
int32_t TextLength(const void* bytes, int32_t n) {
  // Null bytes with a count make room (Assign); they are no text to measure.
  if (bytes == nullptr) return n < 0 ? 0 : n;
  return text_rules::MeasuredLength(static_cast<const char*>(bytes), n);
}

// Growth reserve: a quarter of the new size plus 32 bytes, capped, so that appending byte by
// byte does not re-allocate each time.
int32_t Slack(int32_t kept, int32_t needed) {
  int32_t slack = kept <= 0 ? 32 : needed / 4 + 32;
  return slack > 20000 ? 20000 : slack;
}

}  // namespace

UtilAllocator* DefaultUtilAllocator() {
  return &sDefaultAllocator;
}

UtilStr::UtilStr() : mBuffer(nullptr), mText(sEmptyText), mLength(0) {}

UtilStr::UtilStr(const char* text) : UtilStr() {
  Assign(text, -1);
}

UtilStr::UtilStr(const void* bytes, int32_t length) : UtilStr() {
  Assign(bytes, length);
}

UtilStr::UtilStr(UtilAllocator* allocator, int32_t capacity) : UtilStr() {
  if (capacity < 0 || capacity > kMaxLength) capacity = 0;
  mBuffer = MakeBuffer(allocator, capacity);
  mText = mBuffer->Content();
}

UtilStr::UtilStr(const UtilStr& other)
    : NVObject(other), mBuffer(other.mBuffer), mText(other.mText), mLength(other.mLength) {
  if (mBuffer) AddReference(mBuffer);
}

UtilStr& UtilStr::operator=(const UtilStr& other) {
  if (this == &other) return *this;
  if (other.mBuffer) AddReference(other.mBuffer);
  FreeIfLast(mBuffer);
  mBuffer = other.mBuffer;
  mText = other.mText;
  mLength = other.mLength;
  return *this;
}

UtilStr::~UtilStr() {
  FreeIfLast(mBuffer);
}

int32_t UtilStr::Capacity() const {
  return mBuffer ? mBuffer->capacity : 0;
}

bool UtilStr::IsExclusive() const {
  return mBuffer != nullptr && ReferenceCount(mBuffer) <= 1;
}

void UtilStr::ReleaseBuffer() {
  FreeIfLast(mBuffer);
  mBuffer = nullptr;
}

void UtilStr::MakeEmpty() {
  ReleaseBuffer();
  mText = sEmptyText;
  mLength = 0;
}

bool UtilStr::Grow(int32_t kept, const void* bytes, int32_t n) {
  if (n > kMaxLength - kept) return false;
  const int32_t needed = kept + n;
  if (IsExclusive() && needed + 1 < mBuffer->capacity) {
    // memmove: the new bytes may come from this string's own content.
    if (bytes) memmove(mText + kept, bytes, static_cast<size_t>(n));
  } else {
    UtilAllocator* allocator = mBuffer ? mBuffer->allocator : &sDefaultAllocator;
    UtilStrBuffer* grown = MakeBuffer(allocator, needed + Slack(kept, needed));
    if (kept > 0) memcpy(grown->Content(), mText, static_cast<size_t>(kept));
    if (bytes) memcpy(grown->Content() + kept, bytes, static_cast<size_t>(n));
    // Only now may the old block go: the new bytes may have come from it.
    FreeIfLast(mBuffer);
    mBuffer = grown;
    mText = grown->Content();
  }
  mLength = needed;
  mText[needed] = 0;
  return true;
}

void UtilStr::Assign(const void* bytes, int32_t n) {
  n = TextLength(bytes, n);
  if (n <= 0) {
    MakeEmpty();
    return;
  }
  Grow(0, bytes, n);
}

void UtilStr::Append(const void* bytes, int32_t n) {
  n = TextLength(bytes, n);
  if (n <= 0) return;
  Grow(mLength, bytes, n);
}

void UtilStr::AppendChar(char c) {
  if (IsExclusive() && mLength + 2 < mBuffer->capacity) {
    ++mLength;
  } else {
    const int32_t before = mLength;
    Append(nullptr, 1);
    if (mLength == before) return;  // refused: already at the longest length
  }
  mText[mLength - 1] = c;
  mText[mLength] = 0;
}

int32_t UtilStr::AppendFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  int32_t length = AppendFormatV(format, args);
  va_end(args);
  return length;
}

int32_t UtilStr::AppendFormatV(const char* format, va_list args) {
  if (format == nullptr) return mLength;
  const int32_t start = mLength;
  // A shared empty block has nothing to keep; dropping it keeps the private copy below from
  // ever copying zero bytes (which would leave the string without a block).
  if (mLength == 0 && !IsExclusive()) MakeEmpty();
  // Room for typical log lines without a second pass; the length is set again at the end.
  if (mBuffer == nullptr) Append(nullptr, 150);
  if (mBuffer == nullptr) return mLength;  // refused: the string is already at its longest
  int32_t formatted = 0;
  for (;;) {
    if (!IsExclusive()) Assign(mText, mLength);
    const int32_t room = mBuffer->capacity - start - 1;
    int result = -1;
    if (room > 10) {
      va_list attempt;
      va_copy(attempt, args);
      result = vsnprintf(mText + start, static_cast<size_t>(room), format, attempt);
      va_end(attempt);
      if (result < 0) break;  // an encoding error: nothing is appended
      if (result < room) {
        formatted = result;
        break;
      }
    }
    // Grow by a thousand bytes at a time; a result far beyond that (the formatter reports the
    // full length) is reached in one step rather than by formatting it over and over.
    int32_t step = 1000;
    if (result >= 0 && result - room > 0x10000) step = result - room + 1;
    const int32_t before = mLength;
    Append(nullptr, step);
    if (mLength == before) break;  // refused: the result cannot fit in a string
  }
  mLength = start + formatted;
  mText[mLength] = 0;
  return mLength;
}

void UtilStr::AppendFloat(double value) {
  char text[kNumberTextCapacity];
  Append(text, FormatFloat(value, text));
}

void UtilStr::AppendEscaped(const void* bytes, int32_t n) {
  n = TextLength(bytes, n);
  if (bytes == nullptr || n <= 0) return;
  static const char kHex[] = "0123456789ABCDEF";
  const auto* in = static_cast<const uint8_t*>(bytes);
  char staged[256];
  int32_t used = 0;
  for (int32_t i = 0; i < n; ++i) {
    const uint8_t c = in[i];
    switch (c) {
      case '\t':
        staged[used++] = '\\', staged[used++] = 't';
        break;
      case '\n':
        staged[used++] = '\\', staged[used++] = 'n';
        break;
      case '\f':
        staged[used++] = '\\', staged[used++] = 'f';
        break;
      case '\r':
        staged[used++] = '\\', staged[used++] = 'r';
        break;
      case 0:
        staged[used++] = '\\', staged[used++] = '0';
        break;
      case '"':
      case '\'':
      case '\\':
        staged[used++] = '\\', staged[used++] = static_cast<char>(c);
        break;
      default:
        if (c < 0x20 || c >= 0x80) {
          staged[used++] = '\\';
          staged[used++] = 'x';
          staged[used++] = kHex[c >> 4];
          staged[used++] = kHex[c & 15];
        } else {
          staged[used++] = static_cast<char>(c);
        }
    }
    // Flush while the longest escape (four bytes) still fits.
    if (sizeof(staged) - used < 8) {
      Append(staged, used);
      used = 0;
    }
  }
  Append(staged, used);
}

void UtilStr::AppendDebugValue(int64_t value) {
  char text[kNumberTextCapacity];
  if (value > 0x100000) {
    const int32_t n = PackChars(static_cast<uint64_t>(value), text);
    bool printable = n > 0;
    for (int32_t i = 0; i < n && printable; ++i) printable = text[i] >= 0x20 && text[i] <= 0x7E;
    if (printable) {
      AppendChar('\'');
      AppendEscaped(text, n);
      AppendChar('\'');
      return;
    }
  }
  if (value >= -10000 && value <= 10000) {
    Append(text, FormatInteger(value, text, 10));
    return;
  }
  // FormatInteger writes the sign before the magnitude (also for the smallest value), so the
  // 0x goes between them.
  const int32_t n = FormatInteger(value, text, 16);
  if (value < 0) {
    Append("-0x", 3);
    Append(text + 1, n - 1);
  } else {
    Append("0x", 2);
    Append(text, n);
  }
}

char* UtilStr::PrepareBuffer(int32_t n) {
  if (n > kMaxLength) {
    MakeEmpty();
    return nullptr;
  }
  // A block much larger than asked for is given back rather than kept.
  const bool reuse = n > 0 && mBuffer != nullptr && ReferenceCount(mBuffer) == 1 &&
                     mBuffer->capacity > n && mBuffer->capacity - n - 1 <= 99998;
  if (!reuse) {
    UtilAllocator* allocator = mBuffer ? mBuffer->allocator : &sDefaultAllocator;
    MakeEmpty();
    if (n <= 0) return mText;
    mBuffer = MakeBuffer(allocator, n + 32);
    mText = mBuffer->Content();
  }
  mText[0] = 0;
  mLength = 0;
  return mText;
}

void UtilStr::RemoveLast(int32_t n) {
  if (n <= 0 || mLength == 0) return;
  if (n >= mLength) {
    MakeEmpty();
  } else if (IsExclusive()) {
    mLength -= n;
    mText[mLength] = 0;
  } else {
    Assign(mText, mLength - n);
  }
}

int32_t UtilStr::Replace(int32_t start, int32_t count, const void* bytes, int32_t n) {
  n = TextLength(bytes, n);
  if (n < 0) n = 0;
  if (start < 0) start = 0;
  if (start > mLength) start = mLength;
  if (count < 0) count = 0;
  if (count > mLength - start) count = mLength - start;
  const int32_t oldLength = mLength;
  if (n == 0 && count > 0 && start + count == mLength) {
    RemoveLast(count);
    return mLength - oldLength;
  }
  if (n == 0 && count == 0) return 0;
  if (n - count > kMaxLength - mLength) return 0;
  const int32_t newLength = mLength + n - count;
  const int32_t tail = mLength - start - count;

  // Bytes taken from this string's own block would be overwritten while moving the tail, so
  // such a replacement builds a fresh block like a shared string does.
  const char* source = static_cast<const char*>(bytes);
  const bool fromOwnBlock = source && mBuffer && source >= mBuffer->Content() &&
                            source <= mBuffer->Content() + mBuffer->capacity;
  if (!IsExclusive() || fromOwnBlock || newLength + 1 >= mBuffer->capacity) {
    UtilStr old(*this);  // keeps the old content alive while the new block is filled
    Assign(nullptr, newLength);
    if (start > 0) memcpy(mText, old.mText, static_cast<size_t>(start));
    if (tail > 0) memcpy(mText + start + n, old.mText + start + count, static_cast<size_t>(tail));
    if (source) memcpy(mText + start, source, static_cast<size_t>(n));
  } else {
    if (tail > 0) memmove(mText + start + n, mText + start + count, static_cast<size_t>(tail));
    if (source) memcpy(mText + start, source, static_cast<size_t>(n));
  }
  mLength = newLength;
  mText[mLength] = 0;
  return newLength - oldLength;
}

void UtilStr::AssignUtf16(const char16_t* wide, int32_t count) {
  MakeEmpty();
  const int32_t bytes = Utf16ToUtf8(wide, count, nullptr, 0);
  if (bytes <= 0) return;
  Assign(nullptr, bytes);
  if (mLength != bytes) return;  // refused as too long
  Utf16ToUtf8(wide, count, mText, bytes);
  mText[bytes] = 0;
}

bool UtilStr::ToUtf16(char16_t* buffer, int32_t sizeInBytes) const {
  if (buffer == nullptr || sizeInBytes < 4) return false;
  const int32_t maxUnits = sizeInBytes / 2 - 1;
  const int32_t units = Utf8ToUtf16(mText, mLength, buffer, maxUnits);
  buffer[units] = 0;
  return units < maxUnits;
}

bool UtilStr::operator==(const UtilStr& other) const {
  return mLength == other.mLength &&
         (mText == other.mText || memcmp(mText, other.mText, static_cast<size_t>(mLength)) == 0);
}

int UtilStr::Compare(NVObject* other, bool caseSensitive) {
  UtilStr* theirs = other ? other->toString() : nullptr;
  // An object without a text form sorts before every string.
  if (theirs == nullptr) return -1;
  return CompareText(theirs->mText, theirs->mLength, mText, mLength, caseSensitive);
}

void UtilStr::Print() {
  constexpr int32_t kShown = 100;
  int32_t printable = 0;
  while (printable < mLength && printable < kShown && mText[printable] >= 0x20 &&
         mText[printable] <= 0x7E) {
    ++printable;
  }
  UtilStr description;
  if (printable == mLength) {
    description.AppendFormat("'%s'", mText);
  } else if (printable > 0) {
    description.AppendFormat("'%.*s'<%d additional bytes>", printable, mText, mLength - printable);
  } else {
    description.AppendFormat("<%d bytes binary data>", mLength);
  }
  LogMessage(LogFlags::kDebug, "UtilStr (0x%X): %s",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)), description.Text());
}
