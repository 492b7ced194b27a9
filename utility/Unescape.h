// Unescape: reads the inside of a quoted literal of value text into plain bytes.
//
// Escapes are those of C: \" \' \0 \\ \f \n \r \t, \x followed by two hexadecimal digits, and a
// backslash before any other byte keeps that byte; a backslash at the very end gives nothing.
// When a delimiter is given, an unescaped delimiter byte skips everything up to and including
// the next delimiter, so that "abc" "def" read as one piece gives abcdef.
#pragma once

#include <cstdint>

// Reads text from *position until length (a negative length: until a zero byte) or until size
// bytes have been written to output, whichever comes first; output may be null only when size
// is 0. A delimiter of 0 means none. *position is left after the last byte read. Returns the
// number of bytes written (never more than size).
int32_t Unescape(const char* text, int32_t length, char* output, int32_t size, char delimiter,
                 int32_t* position);
