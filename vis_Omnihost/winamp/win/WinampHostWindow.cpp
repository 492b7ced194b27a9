// The Winamp host's own window: made inside the player's frame or free, handed to the engine at
// its first paint, its messages, and its rectangle kept in the engine's preferences.
#include <cstdint>

#include "utility/MillisecondClock.h"
#include "utility/Variant.h"
#include "vis_Omnihost/PluginIdentity.h"
#include "vis_Omnihost/winamp/MenuScripts.h"
#include "vis_Omnihost/winamp/WinampMessages.h"
#include "vis_Omnihost/winamp/win/WinampHost.h"
#include "vis_Omnihost/winamp/win/WinampWindowClass.h"

namespace winamp {

namespace {

constexpr const char* kWindowTitle = omnihost::kProductName;
constexpr const char* kRectanglePreferences[] = {
    "WinampAPI.Window.left", "WinampAPI.Window.top", "WinampAPI.Window.right",
    "WinampAPI.Window.bottom"};
constexpr Rect kDefaultRectangle = {20, 30, 720, 540};
// Commands of the visualization menu are passed on only this long after the engine took the
// window: the player sends some of them while the window is still being set up.
constexpr int64_t kMenuQuietMs = 1500;
// A stored rectangle is used only when it is a window size the system can make.
constexpr int64_t kLargestSide = 32767;

constexpr DWORD kChildStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
constexpr DWORD kFreeStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU |
                             WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kChildSize = 100;

int32_t IntegerOf(const Variant& value) {
  if (value.type == VariantType::kInteger) return static_cast<int32_t>(value.integer);
  if (value.type == VariantType::kFloat) return static_cast<int32_t>(value.real);
  return 0;
}

// Sizes are computed in 64 bits: the numbers come from a preference file anyone may edit.
bool UsableRectangle(const Rect& rect) {
  const int64_t width = int64_t{rect.right} - rect.left;
  const int64_t height = int64_t{rect.bottom} - rect.top;
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

}  // namespace

void WinampHost::ReadStoredRectangle() {
  Variant value;
  if (!GetPreference(kRectanglePreferences[0], &value)) {
    mFrameState.rect = kDefaultRectangle;
    return;
  }
  int32_t* sides[] = {&mFrameState.rect.left, &mFrameState.rect.top, &mFrameState.rect.right,
                      &mFrameState.rect.bottom};
  *sides[0] = IntegerOf(value);
  for (int i = 1; i < 4; ++i) {
    Variant side;
    GetPreference(kRectanglePreferences[i], &side);
    *sides[i] = IntegerOf(side);
  }
  if (!UsableRectangle(mFrameState.rect)) mFrameState.rect = kDefaultRectangle;
}

void WinampHost::CreateOwnWindow() {
  ReadStoredRectangle();
  mFrameState.flags = kEmbedFlagVisualization;
  auto embed = reinterpret_cast<EmbedFunction>(SendPlayer(command::kEmbedFunction));
  if (embed != nullptr) {
    Window made = embed(&mFrameState);
    if (mFrameState.frame == nullptr) mFrameState.frame = made;
    if (!IsWindow(static_cast<HWND>(mFrameState.frame))) mFrameState.frame = nullptr;
  }
  HWND frame = static_cast<HWND>(mFrameState.frame);
  const Rect& rect = mFrameState.rect;
  HWND window =
      frame != nullptr
          ? CreateWindowExA(0, kWindowClassName, kWindowTitle, kChildStyle, 0, 0, kChildSize,
                            kChildSize, frame, nullptr, PluginInstance(), nullptr)
          : CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClassName, kWindowTitle, kFreeStyle,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            mPlayer, nullptr, PluginInstance(), nullptr);
  if (window == nullptr) {
    // An empty frame must not stay behind in the player.
    if (frame != nullptr) DestroyWindow(frame);
    mFrameState.frame = nullptr;
    return;
  }
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  mOwnWindow = window;
  SendPlayer(command::kVisualizationWindow, reinterpret_cast<WPARAM>(window));
  HWND shown = frame != nullptr ? frame : window;
  SetWindowTextA(shown, kWindowTitle);
  ShowWindow(shown, SW_SHOWNA);
}

void WinampHost::CloseOwnWindow() {
  if (mOwnWindow == nullptr) return;
  KillTimer(mOwnWindow, kTimerId);
  DetachTarget();
  SendPlayer(command::kVisualizationWindow, 0);
  SetForegroundWindow(mPlayer);
  Rect rect = {};
  bool haveRect = false;
  HWND frame = static_cast<HWND>(mFrameState.frame);
  if (frame != nullptr) {
    // The player keeps the frame's rectangle in the frame state while the frame lives.
    DestroyWindow(frame);
    mFrameState.frame = nullptr;
    rect = mFrameState.rect;
    haveRect = true;
  } else {
    RECT windowRect;
    if (IsWindowVisible(mOwnWindow) && GetWindowRect(mOwnWindow, &windowRect)) {
      rect = {windowRect.left, windowRect.top, windowRect.right, windowRect.bottom};
      haveRect = true;
    }
  }
  // Destroying the frame has destroyed the own window with it.
  if (mOwnWindow != nullptr) DestroyWindow(mOwnWindow);
  if (haveRect) StoreRectangle(rect);
}

void WinampHost::StoreRectangle(const Rect& rect) {
  if (mTable == nullptr || mTable->Request == nullptr) return;
  const struct {
    const char* name;
    int32_t value;
  } sides[] = {{kRectanglePreferences[0], rect.left},
               {kRectanglePreferences[1], rect.top},
               {kRectanglePreferences[3], rect.bottom},
               {kRectanglePreferences[2], rect.right}};
  for (const auto& side : sides) {
    PreferenceAnswer value = {};
    value.type = 'i';
    value.length = -1;
    value.value.integer = side.value;
    mTable->Request(mInstance, HostRequest::kSetPreference, const_cast<char*>(side.name), &value);
  }
}

void WinampHost::OnPaint() {
  if (mAttachedWindow != nullptr || mOwnWindow == nullptr || !IsWindowVisible(mOwnWindow)) return;
  AttachWindow(mOwnWindow, 0, nullptr);
  mPacing.Reset();
  mAttachTimeMs = NowMs();
  SendPlayer(command::kVisualizationStarted);
  Pacing(true);
}

bool WinampHost::OnCommand(uint16_t command) {
  const char* script = MenuScript(command);
  if (script == nullptr || mAttachedWindow == nullptr) return false;
  if (NowMs() - mAttachTimeMs <= kMenuQuietMs) return false;
  if (mTable != nullptr && mTable->Request != nullptr) {
    mTable->Request(mInstance, HostRequest::kMethod, const_cast<char*>(script), nullptr);
  }
  return true;
}

void WinampHost::OnDestroy() {
  HWND window = mOwnWindow;
  if (window == nullptr) return;
  KillTimer(window, kTimerId);
  // The player may destroy its frame, and with it this window, on its own: the engine must not
  // go on drawing into a window that is gone.
  if (mAttachedWindow == window) DetachTarget();
  SendPlayer(command::kVisualizationWindow, 0);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  mOwnWindow = nullptr;
  PostQuitMessage(0);
}

void WinampHost::PassKeyToPlayer(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_KEYDOWN:
      mKeyHeld = true;
      mHeldKeyWParam = wParam;
      mHeldKeyLParam = lParam;
      break;
    case WM_KEYUP:
      if (mKeyHeld && (wParam == mHeldKeyWParam || lParam == mHeldKeyLParam)) {
        PostMessageA(mPlayer, WM_KEYDOWN, mHeldKeyWParam, mHeldKeyLParam);
        mKeyHeld = false;
      }
      PostMessageA(mPlayer, WM_KEYUP, wParam, lParam);
      break;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      PostMessageA(mPlayer, message, wParam, lParam);
      break;
    default:
      break;
  }
}

intptr_t WinampHost::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                   bool* handled) {
  bool isHandled = true;
  intptr_t result = 0;
  switch (message) {
    case WM_PAINT:
      OnPaint();
      // Until the engine has the window the system paints it (and so validates it).
      if (mAttachedWindow != nullptr) {
        result = VisualHost::HandleMessage(message, wParam, lParam, &isHandled);
      } else {
        isHandled = false;
      }
      break;
    case WM_COMMAND:
      if (!OnCommand(LOWORD(wParam))) {
        result = VisualHost::HandleMessage(message, wParam, lParam, &isHandled);
      }
      break;
    case WM_TIMER:
      if (wParam == kTimerId) {
        Poll();
        Pacing(true);
      } else {
        result = VisualHost::HandleMessage(message, wParam, lParam, &isHandled);
      }
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_CLOSE:
      CloseOwnWindow();
      break;
    case WM_DISPLAYCHANGE:
      InvalidateRect(mFrameState.frame != nullptr ? static_cast<HWND>(mFrameState.frame) : mPlayer,
                     nullptr, FALSE);
      if (mOwnWindow != nullptr) InvalidateRect(mOwnWindow, nullptr, FALSE);
      break;
    default:
      result = VisualHost::HandleMessage(message, wParam, lParam, &isHandled);
      if (isHandled) {
        if (message == WM_CHAR && mKeyHeld && lParam == mHeldKeyLParam) mKeyHeld = false;
      } else {
        // Keys the engine does not take still reach the player's shortcuts.
        PassKeyToPlayer(message, wParam, lParam);
      }
      break;
  }
  if (handled != nullptr) *handled = isHandled;
  return result;
}

}  // namespace winamp
