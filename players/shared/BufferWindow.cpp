#include "players/shared/BufferWindow.h"

#include "players/shared/PlayerWindow.h"

namespace standin {
namespace {

constexpr int kWindowWidth = 360;
constexpr int kWindowHeight = 300;

void PaintBuffer(HDC dc, const PlayerBuffer& buffer) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = buffer.Pitch();
  info.bmiHeader.biHeight = -buffer.Height();  // top row first, as the player keeps it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, 0, 0, buffer.Width(), buffer.Height(), 0, 0, buffer.Width(), buffer.Height(),
                buffer.Pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    auto* const* shown =
        reinterpret_cast<PlayerBuffer* const*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (shown != nullptr && *shown != nullptr) PaintBuffer(dc, **shown);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateBufferWindow(HINSTANCE instance, const wchar_t* windowClassName, const wchar_t* title,
                        PlayerBuffer* const* shown) {
  RegisterPlayerWindowClass(instance, windowClassName, &WindowProc,
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HWND window =
      CreateWindowExW(0, windowClassName, title, WS_OVERLAPPEDWINDOW, 40, 40, kWindowWidth,
                      kWindowHeight, nullptr, nullptr, instance, const_cast<PlayerBuffer**>(shown));
  if (window != nullptr) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

}  // namespace standin
