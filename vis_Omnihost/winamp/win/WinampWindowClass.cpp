#include "vis_Omnihost/winamp/win/WinampWindowClass.h"

#include <atomic>

#include "vis_Omnihost/winamp/win/WinampHost.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace winamp {

namespace {

// Hosts live on the player's visualization thread, but a player may run more than one.
std::atomic<int> gHostCount{0};

// Hands every message to the host tied to the window; what it leaves goes to the system.
// Messages sent while the window is being made arrive before the host is tied to it.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    auto* host = reinterpret_cast<WinampHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host != nullptr) {
      bool handled = false;
      const intptr_t result = host->HandleMessage(message, wParam, lParam, &handled);
      if (handled) return result;
    }
  } catch (...) {
    // Nothing may escape into the player's message loop.
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterWindowClass() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_BYTEALIGNCLIENT | CS_DBLCLKS;
  windowClass.lpfnWndProc = &WindowProcedure;
  windowClass.hInstance = PluginInstance();
  windowClass.hIcon = LoadIconA(PluginInstance(), MAKEINTRESOURCEA(kIconResourceId));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = nullptr;  // the engine paints everything
  windowClass.lpszClassName = kWindowClassName;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HINSTANCE PluginInstance() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

bool AddWindowClassUser() {
  if (gHostCount.fetch_add(1) == 0 && !RegisterWindowClass()) {
    gHostCount.fetch_sub(1);
    return false;
  }
  return true;
}

void RemoveWindowClassUser() {
  if (gHostCount.fetch_sub(1) == 1) UnregisterClassA(kWindowClassName, PluginInstance());
}

}  // namespace winamp
