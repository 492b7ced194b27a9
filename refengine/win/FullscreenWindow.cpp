#include "refengine/FullscreenWindow.h"

#include <mutex>
#include <set>

#include "refengine/Fullscreen.h"
#include "refengine/Journal.h"
#include "visualhost/monitors/EngineFullscreenWindow.h"

namespace refengine {
namespace {

std::mutex gClassLock;
bool gClassRegistered = false;
std::set<HWND> gOpenWindows;  // their procedure lives in this library

HINSTANCE EngineModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&EngineModule), &module);
  return module;
}

uint32_t InstanceOf(HWND window) {
  return uint32_t(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Keys that reach the fullscreen window directly: Escape, 'f' and Alt+Enter end fullscreen.
bool IsEndingKey(UINT message, WPARAM key) {
  switch (message) {
    case WM_KEYDOWN:
      return key == VK_ESCAPE;
    case WM_CHAR:
      return key == 'f' || key == 'F';
    case WM_SYSKEYDOWN:
      return key == VK_RETURN;
    default:
      return false;
  }
}

LRESULT CALLBACK FullscreenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
        break;
      }
      case WM_KEYDOWN:
      case WM_CHAR:
      case WM_SYSKEYDOWN:
        if (!IsEndingKey(message, wParam)) break;
        WriteJournal(JournalLine("WindowKey")
                         .Number("instance", InstanceOf(window))
                         .Number("message", message)
                         .Number("key", int64_t(wParam)));
        EndFullscreenOf(InstanceOf(window));
        return 0;
      case WM_NCDESTROY: {
        std::lock_guard<std::mutex> guard(gClassLock);
        gOpenWindows.erase(window);
        break;
      }
      case WM_CLOSE:
        EndFullscreenOf(InstanceOf(window));
        return 0;
      case WM_PAINT:
        ValidateRect(window, nullptr);  // frames do all the drawing
        return 0;
      case WM_ERASEBKGND:
        return 1;
      default:
        break;
    }
  } catch (...) {
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterClassOnce() {
  std::lock_guard<std::mutex> guard(gClassLock);
  if (gClassRegistered) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &FullscreenWindowProc;
  windowClass.hInstance = EngineModule();
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kEngineFullscreenWindowClassW;
  gClassRegistered = RegisterClassExW(&windowClass) != 0;
  return gClassRegistered;
}

RECT MonitorArea(HWND hostWindow) {
  HMONITOR monitor = hostWindow ? MonitorFromWindow(hostWindow, MONITOR_DEFAULTTOPRIMARY)
                                : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcMonitor;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The host window the fullscreen window should cover the monitor of.
HWND HostWindowOf(const Target& target) {
  if (target.kind == TargetKind::kWindow) return target.window;
  if (target.kind == TargetKind::kDeviceContext) return WindowFromDC(target.deviceContext);
  return nullptr;
}

}  // namespace

HWND CreateFullscreenWindow(uint32_t instance, const Target& hostTarget) {
  if (!RegisterClassOnce()) return nullptr;
  const RECT area = MonitorArea(HostWindowOf(hostTarget));
  HWND window =
      CreateWindowExW(WS_EX_TOPMOST, kEngineFullscreenWindowClassW, L"Glimmora", WS_POPUP,
                      area.left, area.top, area.right - area.left, area.bottom - area.top, nullptr,
                      nullptr, EngineModule(), reinterpret_cast<void*>(uintptr_t(instance)));
  if (!window) return nullptr;
  {
    std::lock_guard<std::mutex> guard(gClassLock);
    gOpenWindows.insert(window);
  }
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(window);
  return window;
}

void DestroyFullscreenWindow(HWND window) { DestroyWindow(window); }

void UnregisterFullscreenWindowClass() {
  // A host that unloads the engine without destroying an instance would leave a window whose
  // procedure is gone; close such windows first (DestroyWindow refuses other threads' windows).
  std::set<HWND> open;
  {
    std::lock_guard<std::mutex> guard(gClassLock);
    open.swap(gOpenWindows);
  }
  for (HWND window : open) DestroyWindow(window);
  std::lock_guard<std::mutex> guard(gClassLock);
  if (!gClassRegistered) return;
  UnregisterClassW(kEngineFullscreenWindowClassW, EngineModule());
  gClassRegistered = false;
}

}  // namespace refengine
