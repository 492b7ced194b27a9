// UtilStr: a length-counted 8-bit string (UTF-8 by convention) whose storage block is shared
// between copies and copied only when a shared string is about to change.
//
// How it differs from std::string:
//  - Copies share one reference-counted UtilStrBuffer; the count is atomic, so strings that
//    share a block may live and die on different threads (a single UtilStr is not protected).
//  - A string may change its content in place only while it is exclusive: it has a block and
//    that block's count is 1 or less. Every changing operation first gives a shared string a
//    private block.
//  - Blocks come from a UtilAllocator; a grown block comes from the old block's allocator, a
//    string without a block uses the default allocator.
//  - Lengths are signed 32-bit; a negative length given to an operation means that the text is
//    zero-terminated. The content may hold zero bytes.
//  - A change whose result would exceed kMaxLength bytes is refused and leaves the string as it
//    was (PrepareBuffer then answers null), so no length computation can overflow.
// Invariants: Text() is never null and Text()[Length()] is always 0; an empty string points
// at one process-wide static empty text that is never written.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "utility/NVObject.h"

// A source of storage blocks, with a plain (non-atomic) count of live blocks for statistics.
struct UtilAllocator {
  void* (*allocate)(UtilAllocator* self, size_t bytes);
  void (*free)(UtilAllocator* self, void* block);
  int64_t liveBlocks;
};

// The process-wide allocator over malloc and free. A failed allocation ends the process: the
// string operations have no way to report it and must not write through a null block.
UtilAllocator* DefaultUtilAllocator();

// The storage block: a header followed by capacity content bytes and two zero bytes.
struct UtilStrBuffer {
  int32_t refCount;  // changed only with atomic operations
  int32_t capacity;
  UtilAllocator* allocator;
  char content[2];  // capacity + 2 bytes in the real allocation

  static constexpr size_t HeaderSize() { return offsetof(UtilStrBuffer, content); }
  // The content as the whole allocation sees it (the declared array covers only its start).
  char* Content() { return reinterpret_cast<char*>(this) + HeaderSize(); }
};

class UtilStr : public NVObject {
 public:
  // The longest content a string accepts: room for the largest growth slack and the block
  // header inside a signed 32-bit capacity.
  static constexpr int32_t kMaxLength = 0x7FFFFFFF - 0x10000;

  UtilStr();
  UtilStr(const char* text);  // NOLINT(google-explicit-constructor): texts convert freely
  UtilStr(const void* bytes, int32_t length);
  // An empty string holding a block of the given capacity from the given allocator; blocks
  // that replace it come from the same allocator, which lets tests observe every block made.
  explicit UtilStr(UtilAllocator* allocator, int32_t capacity = 0);
  UtilStr(const UtilStr& other);
  UtilStr& operator=(const UtilStr& other);
  ~UtilStr() override;

  const char* Text() const { return mText; }
  int32_t Length() const { return mLength; }
  bool IsEmpty() const { return mLength == 0; }
  // Capacity of the block, 0 without one.
  int32_t Capacity() const;
  const UtilStrBuffer* Buffer() const { return mBuffer; }
  bool IsExclusive() const;

  void Assign(const void* bytes, int32_t n);
  void Assign(const char* text) { Assign(text, -1); }
  void Assign(const UtilStr& other) { *this = other; }
  void Append(const void* bytes, int32_t n);
  void Append(const char* text) { Append(text, -1); }
  void Append(const UtilStr& other) { Append(other.mText, other.mLength); }
  void AppendChar(char c);
  // printf-style; the arguments must not point into this string's own storage. Returns the new
  // length.
  int32_t AppendFormat(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  int32_t AppendFormatV(const char* format, va_list args);
  void AppendFloat(double value);
  void AppendEscaped(const void* bytes, int32_t n);
  void AppendDebugValue(int64_t value);
  // Empties the string and returns a private area for n bytes and a terminator; null (and an
  // empty string) when n exceeds kMaxLength.
  char* PrepareBuffer(int32_t n);
  void RemoveLast(int32_t n);
  int32_t Replace(int32_t start, int32_t count, const void* bytes, int32_t n);
  void AssignUtf16(const char16_t* wide, int32_t count);
  bool ToUtf16(char16_t* buffer, int32_t sizeInBytes) const;

  bool operator==(const UtilStr& other) const;
  bool operator!=(const UtilStr& other) const {
    return !(*this == other);
  }

  // NVObject
  UtilStr* toString() override {
    return this;
  }
  int Compare(NVObject* other, bool caseSensitive) override;
  void Print() override;

 private:
  // Makes room for n bytes after the first `kept` bytes and copies `bytes` there when given;
  // false (string unchanged) when the result would be too long.
  bool Grow(int32_t kept, const void* bytes, int32_t n);
  void ReleaseBuffer();
  void MakeEmpty();

  UtilStrBuffer* mBuffer;
  char* mText;
  int32_t mLength;
};
