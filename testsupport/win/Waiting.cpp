#include "testsupport/win/Waiting.h"

bool WaitUntil(const std::function<bool()>& check, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!check()) {
    if (GetTickCount64() >= deadline) return check();
    Sleep(50);
  }
  return true;
}

HWND WaitForWindow(const char* windowClass, const char* title, DWORD milliseconds) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        window = FindWindowA(windowClass, title);
        return window != nullptr;
      },
      milliseconds);
  return window;
}
