// The UTF-16 form of a path for system calls, and the URL test that decides whether a path
// gets the long-path prefix.
#include <cstring>

#include "utility/NVFileSpec.h"
#include "utility/TextFunctions.h"
#include "utility/TextRules.h"

namespace {

constexpr char16_t kWideLongPrefix[] = u"\\\\?\\";
constexpr int32_t kWideLongPrefixLength = 4;

bool IsSchemeByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == ':';
}

bool StartsWithTwoBackslashes(const UtilStr& path) {
  return path.Length() >= 2 && path.Text()[0] == '\\' && path.Text()[1] == '\\';
}

}  // namespace

int32_t NVFileSpec::HasUrlScheme(const char* bytes, int32_t length) {
  if (bytes == nullptr) return 0;
  length = text_rules::MeasuredLength(bytes, length);
  for (int32_t i = 0; i < length && IsSchemeByte(bytes[i]); ++i) {
    if (bytes[i] == ':' && i + 2 < length && bytes[i + 1] == '/' && bytes[i + 2] == '/') return i;
  }
  return 0;
}

int32_t NVFileSpec::ToWide(char16_t* buffer, int32_t capacity) const {
  if (buffer == nullptr || capacity < 1) return 0;
  // Drive paths get the long-path prefix so that they may exceed the classic length limit;
  // network paths and URLs must reach the system as they are.
  const bool prefixed = !IsEmpty() && HasUrlScheme(Text(), mPathName.Length()) == 0 &&
                        !StartsWithTwoBackslashes(mPathName);
  const int32_t prefixLength = prefixed ? kWideLongPrefixLength : 0;
  // Room for the converted path, keeping one unit for the terminator.
  const int32_t room = capacity - prefixLength - 1;
  buffer[0] = 0;
  if (room <= 0) return 0;
  if (prefixed) std::memcpy(buffer, kWideLongPrefix, sizeof(char16_t) * prefixLength);
  int32_t converted = 0;
  if (!IsEmpty()) {
    converted = Utf8ToUtf16(Text(), mPathName.Length(), buffer + prefixLength, room);
  }
  // A conversion that fills the room may have been cut short: such a path is not passed on.
  if (prefixLength + converted >= capacity - 1) {
    buffer[0] = 0;
    return 0;
  }
  buffer[prefixLength + converted] = 0;
  return prefixLength + converted;
}
