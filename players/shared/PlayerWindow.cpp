#include "players/shared/PlayerWindow.h"

namespace standin {

void RegisterPlayerWindowClass(HINSTANCE instance, const wchar_t* windowClassName,
                               WNDPROC procedure, HBRUSH background) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = windowClassName;
  RegisterClassW(&windowClass);
}

HWND CreatePlayerWindow(HINSTANCE instance, const wchar_t* windowClass, const wchar_t* title,
                        DWORD style, const WindowPlace& place) {
  RECT outer = {0, 0, place.clientWidth, place.clientHeight};
  AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window =
      CreateWindowExW(0, windowClass, title, style, place.x, place.y, outer.right - outer.left,
                      outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
  if (window != nullptr && (style & WS_VISIBLE) == 0) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

int64_t WindowPixel(HWND window, int x, int y) {
  if (!IsWindow(window)) return -1;
  HDC dc = GetDC(window);
  if (dc == nullptr) return -1;
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  if (colour == CLR_INVALID) return -1;
  return int64_t(GetRValue(colour)) << 16 | int64_t(GetGValue(colour)) << 8 | GetBValue(colour);
}

}  // namespace standin
