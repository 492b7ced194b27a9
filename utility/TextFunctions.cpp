#include "utility/TextFunctions.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "utility/CompositionTables.h"
#include "utility/TextRules.h"

namespace {

using text_rules::HexDigitValue;
using text_rules::IsHighSurrogate;
using text_rules::IsLowSurrogate;
using text_rules::MeasuredLength;
using ByteReader = text_rules::TextReader;

inline uint8_t FoldCase(uint8_t c) {
  return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

inline uint8_t Fold(uint8_t c, bool caseSensitive) {
  return caseSensitive ? c : FoldCase(c);
}

inline uint32_t RotateLeft(uint32_t v, int bits) {
  return (v << bits) | (v >> (32 - bits));
}

// Skips blanks and control bytes and an optional sign; returns -1 or +1.
int ReadSign(ByteReader& in) {
  while (in.Peek() >= 0 && in.Peek() <= 0x20) in.Skip();
  if (in.Peek() == '-') {
    in.Skip();
    return -1;
  }
  if (in.Peek() == '+') in.Skip();
  return 1;
}

// Decimal digits, then (after a lower-case x) hexadecimal ones, accumulated with wrapping.
template <typename Unsigned>
Unsigned ParseMagnitude(ByteReader& in) {
  Unsigned value = 0;
  for (int c = in.Peek(); c >= '0' && c <= '9'; c = in.Peek()) {
    value = value * 10 + static_cast<Unsigned>(c - '0');
    in.Skip();
  }
  if (in.Peek() == 'x') {
    in.Skip();
    for (int digit = HexDigitValue(in.Peek()); digit >= 0; digit = HexDigitValue(in.Peek())) {
      value = value * 16 + static_cast<Unsigned>(digit);
      in.Skip();
    }
  }
  return value;
}

template <typename Signed>
Signed ParseInteger(const char* bytes, int32_t length) {
  using Unsigned = std::make_unsigned_t<Signed>;
  ByteReader in(bytes, length);
  int sign = ReadSign(in);
  Unsigned magnitude = ParseMagnitude<Unsigned>(in);
  return static_cast<Signed>(sign < 0 ? Unsigned(0) - magnitude : magnitude);
}

// Writes the digits of an unsigned value, most significant first, and a terminator; returns
// their count. At most maxDigits are written: only a negative 64-bit value in base 2 has more
// characters than the 64-byte number buffer holds, and it loses its last digit.
int32_t WriteDigits(uint64_t magnitude, char* out, uint32_t base,
                    int32_t maxDigits = kNumberTextCapacity - 1) {
  static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  char reversed[64];
  int32_t n = 0;
  do {
    reversed[n++] = kDigits[magnitude % base];
    magnitude /= base;
  } while (magnitude != 0);
  const int32_t written = n < maxDigits ? n : maxDigits;
  for (int32_t i = 0; i < written; ++i) out[i] = reversed[n - 1 - i];
  out[written] = 0;
  return written;
}

int32_t DecimalDigitCount(uint32_t v) {
  int32_t n = 1;
  while (v >= 10) {
    v /= 10;
    ++n;
  }
  return n;
}

// Appends one code point in UTF-8, storing only the bytes that fall below size.
void PutUtf8(uint32_t cp, char* dst, int64_t size, int64_t& pos) {
  uint8_t bytes[4];
  int n;
  if (cp < 0x80) {
    bytes[0] = static_cast<uint8_t>(cp);
    n = 1;
  } else if (cp < 0x800) {
    bytes[0] = static_cast<uint8_t>(0xC0 | (cp >> 6));
    bytes[1] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    n = 2;
  } else if (cp < 0x10000) {
    bytes[0] = static_cast<uint8_t>(0xE0 | (cp >> 12));
    bytes[1] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
    bytes[2] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    n = 3;
  } else {
    bytes[0] = static_cast<uint8_t>(0xF0 | (cp >> 18));
    bytes[1] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
    bytes[2] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
    bytes[3] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    n = 4;
  }
  for (int i = 0; i < n; ++i, ++pos) {
    if (pos < size) dst[pos] = static_cast<char>(bytes[i]);
  }
}

inline bool IsContinuation(int b) {
  return b >= 0 && (b & 0xC0) == 0x80;
}

constexpr uint32_t kByteOrderMark = 0xFEFF;

}  // namespace

int32_t CompareText(const char* a, int32_t lengthA, const char* b, int32_t lengthB,
                    bool caseSensitive) {
  lengthA = a ? lengthA : 0;
  lengthB = b ? lengthB : 0;
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  const auto* ua = reinterpret_cast<const uint8_t*>(a);
  const auto* ub = reinterpret_cast<const uint8_t*>(b);
  if (lengthA < 0 && lengthB < 0) {
    for (size_t i = 0;; ++i) {
      int ca = Fold(ua[i], caseSensitive), cb = Fold(ub[i], caseSensitive);
      if (ca != cb || ca == 0) return ca - cb;
    }
  }
  lengthA = MeasuredLength(a, lengthA);
  lengthB = MeasuredLength(b, lengthB);
  int32_t common = lengthA < lengthB ? lengthA : lengthB;
  for (int32_t i = 0; i < common; ++i) {
    int ca = Fold(ua[i], caseSensitive), cb = Fold(ub[i], caseSensitive);
    if (ca != cb) return ca - cb;
  }
  return lengthA - lengthB;
}

int32_t FindText(const char* needle, bool caseSensitive, const char* haystack, int32_t count) {
  // An empty needle finds nothing: every caller looks for actual text.
  if (needle == nullptr || needle[0] == 0 || haystack == nullptr) return 0;
  int32_t needleLength = MeasuredLength(needle, -1);
  count = MeasuredLength(haystack, count);
  const auto first = static_cast<uint8_t>(needle[0]);
  const uint8_t firstOtherCase = caseSensitive                    ? first
                                 : (first >= 'a' && first <= 'z') ? first - 32
                                 : (first >= 'A' && first <= 'Z') ? first + 32
                                                                  : first;
  for (int32_t j = 0; j <= count - needleLength; ++j) {
    const auto c = static_cast<uint8_t>(haystack[j]);
    if (c != first && c != firstOtherCase) continue;
    if (CompareText(haystack + j, needleLength, needle, needleLength, caseSensitive) == 0) {
      return j + 1;
    }
  }
  return 0;
}

uint32_t HashText(const char* bytes, int32_t length, bool caseSensitive) {
  length = MeasuredLength(bytes, length);
  const auto* p = reinterpret_cast<const uint8_t*>(bytes);
  const auto n = static_cast<uint32_t>(length);
  if (!caseSensitive) {
    uint32_t h = 0x3E365EDD;
    for (uint32_t i = 0; i < n; ++i) h = FoldCase(p[i]) - h * 0x3361D2AFu;
    return RotateLeft(h, 17);
  }
  uint32_t h = 0x3E365EDDu ^ (n * 0x1B873593u);
  uint32_t tail = n & 3;
  if (tail != 0) {
    const uint8_t* t = p + (n - tail);
    uint32_t k = 0;
    for (uint32_t i = 0; i < tail; ++i) k |= static_cast<uint32_t>(t[i]) << (8 * i);
    h = RotateLeft((h ^ k) * 0xCC9E2D51u, 14);
  }
  for (uint32_t i = 0; i + 4 <= n; i += 4) {
    uint32_t k =
        p[i] | (p[i + 1] << 8) | (p[i + 2] << 16) | (static_cast<uint32_t>(p[i + 3]) << 24);
    k = RotateLeft(k * 0xCC9E2D51u, 15) * 0x1B873593u;
    h ^= k;
    h = (h << 4) + 0xE6546B64u + RotateLeft(h, 13);
  }
  return RotateLeft(h, 17);
}

int32_t ParseInt32(const char* bytes, int32_t length) {
  return ParseInteger<int32_t>(bytes, length);
}

int64_t ParseInt64(const char* bytes, int32_t length) {
  return ParseInteger<int64_t>(bytes, length);
}

double ParseFloat(const char* bytes, int32_t length) {
  ByteReader in(bytes, length);
  int sign = ReadSign(in);
  double sum = 0, divisor = 1;
  bool seenPoint = false;
  for (;;) {
    int c = in.Peek();
    if (c >= '0' && c <= '9') {
      sum = sum * 10 + (c - '0');
      if (seenPoint) divisor *= 10;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    in.Skip();
  }
  double value = sign * (sum / divisor);
  if (in.Peek() == 'e' || in.Peek() == 'E') {
    in.Skip();
    int32_t exponent = ParseInt32(in.Rest(), in.RestLength());
    value *= std::pow(10.0, exponent);
  }
  return value;
}

int32_t FormatInteger(int64_t value, char* out, int32_t base) {
  if (out == nullptr) return 0;
  // A base outside 2..36 has no digit set; decimal is the useful answer.
  if (base < 2 || base > 36) base = 10;
  if (value >= 0)
    return WriteDigits(static_cast<uint64_t>(value), out, static_cast<uint32_t>(base));
  out[0] = '-';
  uint64_t magnitude = uint64_t(0) - static_cast<uint64_t>(value);
  return 1 + WriteDigits(magnitude, out + 1, static_cast<uint32_t>(base), kNumberTextCapacity - 2);
}

int32_t FormatFloat(double value, char* out) {
  if (out == nullptr) return 0;
  int32_t n = 0;
  if (value < 0) {
    out[n++] = '-';
    value = -value;
  }
  // Integer parts are written in full up to the 64-bit range (at most 19 digits), so the text
  // of any double stays well inside the 64-byte buffer. Anything larger, and infinity,
  // saturates at the largest 64-bit value; NaN is written as 0.
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (std::isnan(value)) value = 0;
  double whole = std::floor(value);
  if (whole >= kTwoTo63) {
    n += WriteDigits(static_cast<uint64_t>(std::numeric_limits<int64_t>::max()), out + n, 10);
    return n;
  }
  n += WriteDigits(static_cast<uint64_t>(whole), out + n, 10);
  auto fraction = static_cast<uint32_t>((value - whole) * static_cast<double>(10000000.0f));
  // A fraction just below 1 can round up to 10^7 in the product; it still has seven nines.
  if (fraction > 9999999) fraction = 9999999;
  if (fraction > 0) {
    out[n++] = '.';
    for (int32_t zeros = 7 - DecimalDigitCount(fraction); zeros > 0; --zeros) out[n++] = '0';
    uint32_t trimmed = fraction;
    while (trimmed % 10 == 0) trimmed /= 10;
    n += WriteDigits(trimmed, out + n, 10);
  }
  out[n] = 0;
  if (n == 2 && out[0] == '-' && out[1] == '0') {
    out[0] = '0';
    out[1] = 0;
    n = 1;
  }
  return n;
}

int32_t PackChars(uint64_t value, char* out) {
  if (out == nullptr) return 0;
  int32_t n = 0;
  for (int shift = 56; shift >= 0; shift -= 8) {
    char c = static_cast<char>((value >> shift) & 0xFF);
    if (n > 0 || c != 0) out[n++] = c;
  }
  out[n] = 0;
  return n;
}

int32_t Utf16ToUtf8(const char16_t* src, int32_t count, char* dst, int32_t size) {
  if (src == nullptr || size < 0 || (dst == nullptr && size > 0)) return 0;
  auto unitAt = [&](int64_t i) -> uint32_t { return src[i]; };
  auto hasUnit = [&](int64_t i) { return count >= 0 ? i < count : src[i] != 0; };
  int64_t pos = 0;
  for (int64_t i = 0; hasUnit(i); ++i) {
    uint32_t cp = unitAt(i);
    if (IsHighSurrogate(cp)) {
      if (!hasUnit(i + 1)) break;
      uint32_t next = unitAt(i + 1);
      if (!IsLowSurrogate(next)) continue;  // dropped; the next unit stands on its own
      cp = 0x10000 + (((cp - 0xD800) << 10) | (next - 0xDC00));
      ++i;
    }
    if (cp == kByteOrderMark) continue;
    PutUtf8(cp, dst, size, pos);
  }
  if (size > 0 && pos > size) return size;
  return pos > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                   : static_cast<int32_t>(pos);
}

int32_t Utf8ToUtf16(const char* src, int32_t length, char16_t* dst, int32_t size) {
  if (src == nullptr || size < 0 || (dst == nullptr && size > 0)) return 0;
  const auto* in = reinterpret_cast<const uint8_t*>(src);
  // The byte at i, or -1 past the end of the input.
  auto byteAt = [&](int64_t i) -> int {
    if (length >= 0) return i < length ? in[i] : -1;
    return in[i] != 0 ? in[i] : -1;
  };
  int64_t produced = 0;
  uint32_t previous = 0;  // last code point produced, 0 before the first
  auto put = [&](uint32_t unit) {
    if (produced < size) dst[produced] = static_cast<char16_t>(unit);
    ++produced;
  };
  int64_t i = 0;
  while (byteAt(i) >= 0) {
    const int lead = byteAt(i);
    int continuations = lead < 0x80 ? 0 : lead < 0xC0 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    if (continuations < 0) {
      ++i;  // a stray continuation byte
      continue;
    }
    uint32_t cp = continuations == 0   ? lead
                  : continuations == 1 ? lead & 0x1F
                  : continuations == 2 ? lead & 0x0F
                                       : lead & 0x07;
    bool complete = true;
    for (int k = 1; k <= continuations; ++k) {
      int b = byteAt(i + k);
      if (!IsContinuation(b)) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!complete) {
      ++i;  // a lead byte without its continuation bytes
      continue;
    }
    i += 1 + continuations;
    if (cp == kByteOrderMark) continue;
    // A mark that composes replaces the last unit and needs no room of its own, so it is
    // applied even when the output is full: a buffer sized by counting gets the same text.
    if (produced > 0) {
      if (char16_t composed = ComposeWithMark(previous, cp)) {
        --produced;
        put(composed);
        previous = composed;
        continue;
      }
    }
    if (size > 0 && produced >= size) break;
    if (cp > 0xFFFF) {
      put(((cp >> 10) - 0x2840) & 0xFFFF);
      put((cp & 0x3FF) | 0xDC00);
    } else {
      put(cp);
    }
    previous = cp;
  }
  if (size > 0 && produced > size) produced = size;
  return produced > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                        : static_cast<int32_t>(produced);
}
