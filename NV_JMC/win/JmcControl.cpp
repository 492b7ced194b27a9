#include "NV_JMC/win/JmcControl.h"

#include <windowsx.h>

#include "NV_JMC/JmcIdentity.h"

namespace jmc {
namespace {

constexpr WPARAM kAppsKey = VK_APPS;  // 0x5D, also the character ']'
constexpr LPARAM kKeyboardMenu = LPARAM(0xFFFFFFFFu);

UINT gDisplayPluginEvent = 0;

GUID GuidOf(const wchar_t* text) {
  GUID guid = {};
  CLSIDFromString(text, &guid);
  return guid;
}

const activex::ControlIdentity& JmcIdentity() {
  static const activex::ControlIdentity identity = {
      &ControlClassId(), &ControlInterfaceId(), L"NV_JMC Glimmora Display", kMiscStatus,
      L"NV_JMC Class"};
  return identity;
}

}  // namespace

const CLSID& ControlClassId() {
  static const CLSID clsid = GuidOf(kClassIdTextW);
  return clsid;
}

const IID& ControlInterfaceId() {
  static const IID iid = GuidOf(kInterfaceIdTextW);
  return iid;
}

void RegisterDisplayPluginEvent() { gDisplayPluginEvent = RegisterWindowMessageW(kDisplayPluginEvent); }

UINT DisplayPluginEventMessage() {
  if (gDisplayPluginEvent == 0) RegisterDisplayPluginEvent();
  return gDisplayPluginEvent;
}

JmcControl::JmcControl(EngineLibrary* library, const MediaCenterAccess& access)
    : ActiveXControl(JmcIdentity()), mHost(new JmcVisualHost(library, access)) {}

JmcControl::~JmcControl() { ReleaseHost(); }

IUnknown* JmcControl::Create() {
  try {
    auto* control = new JmcControl();
    return reinterpret_cast<IUnknown*>(&control->mOleObject.face);
  } catch (...) {
    return nullptr;
  }
}

void JmcControl::ReleaseHost() {
  JmcVisualHost* host = mHost;
  mHost = nullptr;
  if (host != nullptr) host->Release();
}

void JmcControl::ShowContextMenuAt(HWND window, LPARAM lParam) {
  HWND parent = GetParent(window);
  if (parent == nullptr) return;
  // The click is in the control's client coordinates, so the control's own origin turns it
  // into a screen point (the parent's would be off by the control's place in it).
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window, &point);
  const LPARAM screen = LPARAM(uint32_t(uint16_t(point.x)) | uint32_t(uint16_t(point.y)) << 16);
  SendMessageW(parent, DisplayPluginEventMessage(), 0, screen);
}

void JmcControl::PostContextMenuKey() {
  HWND parent = ControlWindow() != nullptr ? GetParent(ControlWindow()) : nullptr;
  if (parent != nullptr) PostMessageW(parent, DisplayPluginEventMessage(), 0, kKeyboardMenu);
}

LRESULT JmcControl::HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         bool* handled) {
  switch (message) {
    case WM_CREATE:
      if (mHost != nullptr) {
        mHost->StartInstance();
        mHost->ConnectMediaCenter();
        mHost->Attach(window, false, window);
      }
      *handled = true;
      return 0;
    case WM_DESTROY:
      ReleaseHost();
      *handled = true;
      return 0;
    case WM_ERASEBKGND:
      if (mHost != nullptr && mHost->AttachedWindow() == nullptr &&
          mHost->AttachedDeviceContext() == nullptr && mHost->AttachedTarget() == nullptr)
        mHost->Attach(window, false, window);
      *handled = true;
      return 1;
    case WM_RBUTTONUP:
      ShowContextMenuAt(window, lParam);
      *handled = true;
      return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
      if (wParam == kAppsKey) {
        PostContextMenuKey();
        *handled = true;
        return 0;
      }
      break;
    case WM_PAINT:
    case WM_WINDOWPOSCHANGED:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      break;
    default:
      return 0;
  }
  if (mHost == nullptr) return 0;
  bool hostHandled = false;
  const intptr_t result = mHost->HandleMessage(message, wParam, lParam, &hostHandled);
  *handled = hostHandled;
  return hostHandled ? result : 0;
}

}  // namespace jmc
