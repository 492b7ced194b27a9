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

// 1-based position of the first occurrence of the zero-terminated needle, 0 when absent (and
// for an empty needle).
int32_t FindText(const char* needle, bool caseSensitive, const char* haystack, int32_t count);

// A 32-bit hash for the string tables; without caseSensitive, texts that differ only in the
// case of a-z hash alike. The values are fixed: they must not change between versions.
uint32_t HashText(const char* bytes, int32_t length, bool caseSensitive);

// Blanks (bytes up to 0x20) and one sign are skipped, then decimal digits are read; a lower-case
// x switches to hexadecimal digits ("0x1F" and "x1F" both give 31). Parsing stops at the first
// other byte; the value wraps in the result's width.
int32_t ParseInt32(const char* bytes, int32_t length);
int64_t ParseInt64(const char* bytes, int32_t length);
// Blanks, a sign, digits with one decimal point, then an optional exponent after E or e.
double ParseFloat(const char* bytes, int32_t length);

// Writers into caller buffers; 64 bytes always suffice. They return the number of characters
// written and always add a terminating zero after them.
constexpr int kNumberTextCapacity = 64;
//
// FormatInteger: digits 0-9A-Z, most significant first, a minus sign before negative values.
// A base outside 2..36 writes decimal. The one text longer than the buffer (a negative value
// of 63 binary digits) is cut to its first 63 characters.
int32_t FormatInteger(int64_t value, char* out, int32_t base);
// FormatFloat: the integer part, then up to seven fraction digits, truncated (not rounded),
// without trailing zeros; "-0" becomes "0". Integer parts are written in full up to the 64-bit
// range; larger magnitudes and infinities saturate at 9223372036854775807, NaN gives 0.
int32_t FormatFloat(double value, char* out);
// PackChars: the bytes of value from the first non-zero one down to the least significant
// (four-character codes read as text); 0 gives no characters.
int32_t PackChars(uint64_t value, char* out);

// UTF-16 to UTF-8. Returns the bytes the whole input needs, or size when that need exceeds a
// positive size. Writes no terminator. A null dst with size 0 only counts.
int32_t Utf16ToUtf8(const char16_t* src, int32_t count, char* dst, int32_t size);

// UTF-8 to UTF-16, composing the common accented letters from a base letter and a combining
// mark. Returns the units produced (at most size when size > 0). Writes no terminator.
// A positive size stops the conversion at the first character that needs room beyond it; a
// combining mark that composes with the last unit still applies, so a buffer sized by a
// counting call (null dst, size 0) receives exactly the counted text.
int32_t Utf8ToUtf16(const char* src, int32_t length, char16_t* dst, int32_t size);
