#include "NV_VLC/win/WindowSessionDriver.h"

#include <algorithm>
#include <cstdio>

#include "NV_VLC/SessionEngine.h"
#include "NV_VLC/SessionManager.h"
#include "NV_VLC/VlcVisualHost.h"
#include "NV_VLC/EngineInstalled.h"
#include "NV_VLC/win/ModuleHandle.h"
#include "visualhost/engine/EngineLibrary.h"

std::atomic<int32_t> WindowSessionDriver::sStartsInProgress{0};

namespace {

constexpr char kWindowClass[] = "Novalume Glimmora VLC";
constexpr int32_t kDefaultWidth = 1280;
constexpr int32_t kDefaultHeight = 720;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW;

}  // namespace

VlcVisualHost* WindowSessionDriver::Start(int32_t width, int32_t height, int32_t* status,
                                          int32_t* secondStatus) {
  VlcVisualHost* host = StartSessionHost(sStartsInProgress, status, secondStatus);
  if (host == nullptr) return nullptr;

  const int32_t clientWidth = width >= 1 ? width : kDefaultWidth;
  const int32_t clientHeight = height >= 1 ? height : kDefaultHeight;
  mHost = host;
  mWindowSerial = mManager != nullptr ? mManager->SessionSerial() : 0;
  HWND window = RegisterWindowClass() ? CreateSessionWindow(clientWidth, clientHeight) : nullptr;
  if (window == nullptr) {
    const DWORD error = GetLastError();
    *status = static_cast<int32_t>(error);
    *secondStatus = 0;
    char line[64];
    snprintf(line, sizeof(line), "CreateWindowEx failed (%lu)", error);
    if (mManager != nullptr) mManager->Log(true, "%s", line);
    mHost = nullptr;
    host->Release();
    return nullptr;
  }
  mWindow = window;
  host->PlaceWindow(window);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetFocus(window);
  mActive = true;
  host->AttachWindow(window, 0, nullptr);
  host->Schedule(true);
  RECT client = {};
  GetClientRect(window, &client);
  if (mManager != nullptr) {
    mManager->Log(false, "window up (%ld x %ld), rendering on the session thread",
                  client.right - client.left, client.bottom - client.top);
  }
  return host;
}

void WindowSessionDriver::Stop(const char*) {
  if (mHost != nullptr) {
    mHost->Schedule(false);
    mHost->DetachTarget();
  }
  mActive = false;
  mCloseRequested = false;
  if (mWindow != nullptr) {
    SetWindowLongPtrA(mWindow, GWLP_USERDATA, 0);
    DestroyWindow(mWindow);
    mWindow = nullptr;
  }
  if (mHost != nullptr) {
    mHost->Release();
    mHost = nullptr;
  }
}

void WindowSessionDriver::ArmTimer(int32_t milliseconds, uint32_t generation) {
  mTimerArmed = true;
  mTimerGeneration = generation;
  mDeadline = GetTickCount64() + static_cast<uint64_t>(std::max(milliseconds, 0));
}

void WindowSessionDriver::Log(bool error, const char* text) {
  char line[600];
  snprintf(line, sizeof(line), "[%s VLC] %s%s\n", kProductName, error ? "error: " : "",
                text);
  OutputDebugStringA(line);
}

bool WindowSessionDriver::TakeCloseRequest(uint32_t* windowSerial) {
  if (!mCloseRequested) return false;
  mCloseRequested = false;
  *windowSerial = mWindowSerial;
  return true;
}

bool WindowSessionDriver::TakeExpiredTimer(uint64_t now, uint32_t* generation) {
  if (!mTimerArmed || now < mDeadline) return false;
  mTimerArmed = false;
  *generation = mTimerGeneration;
  return true;
}

DWORD WindowSessionDriver::WaitLimit(uint64_t now) const {
  if (!mTimerArmed) return INFINITE;
  return now >= mDeadline ? 0 : static_cast<DWORD>(std::min<uint64_t>(mDeadline - now, 0x7FFFFFFF));
}

bool WindowSessionDriver::RegisterWindowClass() {
  if (mClassRegistered) return true;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_BYTEALIGNCLIENT | CS_DBLCLKS;
  windowClass.lpfnWndProc = &WindowSessionDriver::WindowProcedure;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kWindowClass;
  mClassRegistered = RegisterClassExA(&windowClass) != 0 ||
                     GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return mClassRegistered;
}

HWND WindowSessionDriver::CreateSessionWindow(int32_t width, int32_t height) {
  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, kWindowStyle, FALSE, kWindowExStyle);
  return CreateWindowExA(kWindowExStyle, kWindowClass, kProductName, kWindowStyle, CW_USEDEFAULT,
                         CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                         nullptr, nullptr, ModuleInstance(), this);
}

LRESULT CALLBACK WindowSessionDriver::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* driver = reinterpret_cast<WindowSessionDriver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (driver == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return driver->OnMessage(window, message, wParam, lParam);
}

LRESULT WindowSessionDriver::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // Hidden at once; the session thread's loop ends the session, which destroys it.
    if (mHost != nullptr) mHost->Schedule(false);
    ShowWindow(window, SW_HIDE);
    mCloseRequested = true;
    return 0;
  }
  if (mActive && mHost != nullptr) {
    bool handled = false;
    const intptr_t result = mHost->HandleMessage(message, wParam, lParam, &handled);
    if (handled) return result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
