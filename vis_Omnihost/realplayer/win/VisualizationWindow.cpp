// The window side of the visualization object: subclassing the player's window, the window
// procedure the engine's work runs in, and handing the window back.
//
// Moving to another window detaches the engine from the old one on the old window's own thread
// (a posted kDetachMessage, which clears the window's user data when done) and waits for that in
// 50 ms steps. The wait is bounded: it ends when the window is gone, when its thread is the
// caller's own (the detach then runs at once), or after kDetachWaitMs, so a window whose thread
// no longer runs its messages cannot hold the player's calling thread for ever.
#include "vis_Omnihost/realplayer/win/VisualizationObject.h"

#include "visualhost/engine/EngineRecords.h"

namespace realplayer {

namespace {

constexpr DWORD kDetachPollMs = 50;
constexpr DWORD kDetachWaitMs = 2000;
// The caller's flag given with the window to the engine.
constexpr uint32_t kAttachFlags = 0x10000;
// The part of the window the player's own controls cover.
constexpr EngineRect kInsets = {0, 10, 0, 10};

VisualizationObject* ObjectOfWindow(HWND window) {
  return reinterpret_cast<VisualizationObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Attach(VisualizationObject* object, HWND window) {
  RealPlayerVisualHost* host = object->host;
  if (const EngineTable* table = host->Table(); table != nullptr && table->Request != nullptr) {
    EngineRect insets = kInsets;
    table->Request(host->Instance(), HostRequest::kInsets, &insets, nullptr);
  }
  host->AttachWindow(window, kAttachFlags, nullptr);
  host->Schedule(true);
}

void Detach(VisualizationObject* object, HWND window) {
  object->host->DetachTarget();
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  VisualizationObject* object = ObjectOfWindow(window);
  // Between the detach and the hand-back the window has no object.
  if (object == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == kAttachMessage) {
    Attach(object, window);
    return 0;
  }
  if (message == kDetachMessage) {
    Detach(object, window);
    return 0;
  }
  bool handled = false;
  const intptr_t result = object->host->HandleMessage(message, wParam, lParam, &handled);
  if (handled) return result;
  if (object->previousProcedure != nullptr) {
    return CallWindowProcA(object->previousProcedure, window, message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

// Asks the window's thread to detach and waits, bounded, until it has.
void DetachThroughWindowThread(VisualizationObject* object, HWND window) {
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    SendMessageA(window, kDetachMessage, 0, 0);
    return;
  }
  PostMessageA(window, kDetachMessage, 0, 0);
  for (DWORD waited = 0; waited < kDetachWaitMs; waited += kDetachPollMs) {
    if (!IsWindow(window) || ObjectOfWindow(window) != object) return;
    Sleep(kDetachPollMs);
  }
}

void GiveBack(VisualizationObject* object) {
  HWND window = object->window;
  DetachThroughWindowThread(object, window);
  if (IsWindow(window)) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(object->previousProcedure));
    SetWindowLongPtrA(window, GWLP_USERDATA, object->previousUserData);
  }
  object->window = nullptr;
  object->previousProcedure = nullptr;
  object->previousUserData = 0;
}

void Subclass(VisualizationObject* object, HWND window) {
  object->window = window;
  object->previousUserData = GetWindowLongPtrA(window, GWLP_USERDATA);
  object->previousProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  // The object first: the procedure finds it at once.
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure));
}

}  // namespace

Result MoveToWindow(VisualizationObject* object, HWND window) {
  if (window != nullptr && !IsWindow(window)) return result::kInvalidArgument;
  if (window == nullptr && object->window == nullptr) return result::kOk;
  if (window != object->window) {
    if (object->window != nullptr) GiveBack(object);
    if (window == nullptr) return result::kOk;
    Subclass(object, window);
  }
  PostMessageA(window, kAttachMessage, 0, 0);
  return result::kOk;
}

}  // namespace realplayer
