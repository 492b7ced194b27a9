// The free text functions of the library: comparison, search, hashing, number parsing and
// formatting, and the UTF-8/UTF-16 converters.
//
// All of them are pure functions over byte runs. A negative length always means that the
// text is zero-terminated; with a non-negative length a zero byte is ordinary content.
// UTF-16 text is passed as char16_t so that the functions are the same on every platform
// (Windows' wchar_t has the same size and can be reinterpreted).
#pragma once

#include <cstdint>

// Negative, zero or positive as a is below, equal to or above b. Without caseSensitive only
// a-z are folded to A-Z; bytes compare unsigned.
int32_t CompareText(const char* a, int32_t lengthA, const char* b, int32_t lengthB,
                    bool caseSensitive);

// 1-based position of the first occurrence of the zero-terminated needle, 0 when absent.
int32_t FindText(const char* needle, bool caseSensitive, const char* haystack, int32_t count);

uint32_t HashText(const char* bytes, int32_t length, bool caseSensitive);

int32_t ParseInt32(const char* bytes, int32_t length);
int64_t ParseInt64(const char* bytes, int32_t length);
double ParseFloat(const char* bytes, int32_t length);

// Writers into caller buffers; 64 bytes always suffice. They return the number of characters
// written and always add a terminating zero after them.
constexpr int kNumberTextCapacity = 64;
int32_t FormatInteger(int64_t value, char* out, int32_t base);
int32_t FormatFloat(double value, char* out);
int32_t PackChars(uint64_t value, char* out);

// UTF-16 to UTF-8. Returns the bytes the whole input needs, or size when that need exceeds a
// positive size. Writes no terminator. A null dst with size 0 only counts.
int32_t Utf16ToUtf8(const char16_t* src, int32_t count, char* dst, int32_t size);

// UTF-8 to UTF-16, composing the common accented letters from a base letter and a combining
// mark. Returns the units produced (at most size when size > 0). Writes no terminator.
int32_t Utf8ToUtf16(const char* src, int32_t length, char16_t* dst, int32_t size);
