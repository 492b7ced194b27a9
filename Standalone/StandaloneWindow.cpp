#include "Standalone/StandaloneWindow.h"

namespace {

ATOM gWindowClass = 0;

constexpr DWORD kClassStyle = CS_DBLCLKS | CS_BYTEALIGNCLIENT;
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// Where the window starts before the engine has placed it; it stays hidden until then.
constexpr int kInitialPosition = 100;
constexpr int kInitialSize = 100;

LRESULT RouteToHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages sent while the window is being created arrive before the host is tied to it.
  auto* host = reinterpret_cast<StandaloneHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  bool handled = false;
  LRESULT result = 0;
  if (host != nullptr) result = host->HandleMessage(message, wParam, lParam, &handled);
  // The host has already detached its target from this window.
  if (message == WM_DESTROY) PostQuitMessage(0);
  return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StandaloneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return RouteToHost(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterStandaloneWindowClass(HINSTANCE instance) {
  if (gWindowClass != 0) return;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = kClassStyle;
  windowClass.lpfnWndProc = &StandaloneWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kStandaloneIconId));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kStandaloneWindowClass;
  gWindowClass = RegisterClassExA(&windowClass);
}

HWND CreateStandaloneWindow(HINSTANCE instance, const char* title, StandaloneHost* host) {
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, kStandaloneWindowClass, title, kWindowStyle,
                                kInitialPosition, kInitialPosition, kInitialSize, kInitialSize,
                                nullptr, nullptr, instance, nullptr);
  host->SetWindow(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
  return window;
}
