// Window calls of the host base on Windows.
#include "visualhost/HostWindowSystem.h"

#include <windows.h>

void MoveAndShowWindow(HostWindow window, const EngineRect& rect) {
  HWND handle = static_cast<HWND>(window);
  MoveWindow(handle, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  ShowWindow(handle, SW_SHOW);
}

void ValidateWholeWindow(HostWindow window) {
  ValidateRect(static_cast<HWND>(window), nullptr);
}
