#include "vis_Omnihost/winamp/win/PlayerText.h"

#include <windows.h>

#include <vector>

#include "utility/TextRules.h"

namespace winamp {

UtilStr TextFromWide(const char16_t* text) {
  UtilStr result;
  if (text != nullptr) result.AssignUtf16(text, text_rules::BoundedLength(text, kPlayerTextBound));
  return result;
}

UtilStr TextFromAnsi(const char* text) {
  if (text == nullptr) return UtilStr();
  const int32_t length = text_rules::BoundedLength(text, kPlayerTextBound);
  if (length == 0) return UtilStr();
  std::vector<wchar_t> wide(static_cast<size_t>(length));
  const int units = MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), length);
  UtilStr result;
  if (units > 0) result.AssignUtf16(reinterpret_cast<const char16_t*>(wide.data()), units);
  return result;
}

}  // namespace winamp
