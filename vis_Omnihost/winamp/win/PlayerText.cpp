#include "vis_Omnihost/winamp/win/PlayerText.h"

#include <windows.h>

#include <vector>

namespace winamp {

int32_t BoundedLength(const char16_t* text, int32_t bound) {
  int32_t length = 0;
  while (length < bound && text[length] != 0) ++length;
  return length;
}

int32_t BoundedLength(const char* text, int32_t bound) {
  int32_t length = 0;
  while (length < bound && text[length] != 0) ++length;
  return length;
}

UtilStr TextFromWide(const char16_t* text) {
  UtilStr result;
  if (text != nullptr) result.AssignUtf16(text, BoundedLength(text, kPlayerTextBound));
  return result;
}

UtilStr TextFromAnsi(const char* text) {
  if (text == nullptr) return UtilStr();
  const int32_t length = BoundedLength(text, kPlayerTextBound);
  if (length == 0) return UtilStr();
  std::vector<wchar_t> wide(static_cast<size_t>(length));
  const int units = MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), length);
  UtilStr result;
  if (units > 0) result.AssignUtf16(reinterpret_cast<const char16_t*>(wide.data()), units);
  return result;
}

}  // namespace winamp
