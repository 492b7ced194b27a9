#include "testsupport/win/WindowTexts.h"

namespace {

// Keeps the longest text of a static control; `found` points at the text kept so far.
BOOL CALLBACK KeepLongestStaticText(HWND child, LPARAM found) {
  auto* text = reinterpret_cast<std::string*>(found);
  const std::string candidate = WindowText(child);
  if (WindowClass(child) == "Static" && candidate.size() > text->size()) *text = candidate;
  return TRUE;
}

}  // namespace

std::string MessageBoxText(HWND box) {
  std::string longest;
  EnumChildWindows(box, &KeepLongestStaticText, reinterpret_cast<LPARAM>(&longest));
  return longest;
}
