// The window side of the visualization object: subclassing the player's window, the window
// procedure the engine's work runs in, and handing the window back.
//
// Moving to another window asks the old window's own thread to give it back (a posted
// kDetachMessage; WindowLink says what that does) and waits for that in 50 ms steps. The wait
// is bounded: it ends when the window is gone, when its thread is the caller's own (the
// hand-back then runs at once), or after kDetachWaitMs, so a window whose thread no longer runs
// its messages cannot hold the player's calling thread for ever. A window left waiting keeps
// the link, and with it the host, until its thread runs again; this module then stays loaded
// for the rest of the process, as that window still runs its procedure.
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

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

WindowLink* LinkOfWindow(HWND window) {
  return reinterpret_cast<WindowLink*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool RunsOurProcedure(HWND window) {
  return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProcedure);
}

void ReleaseLink(WindowLink* link) {
  if (link->references.fetch_sub(1) == 1) delete link;
}

void Attach(WindowLink* link) {
  RealPlayerVisualHost* host = link->host;
  if (const EngineTable* table = host->Table(); table != nullptr && table->Request != nullptr) {
    EngineRect insets = kInsets;
    table->Request(host->Instance(), HostRequest::kInsets, &insets, nullptr);
  }
  host->AttachWindow(link->window, kAttachFlags, nullptr);
  host->Schedule(true);
}

// On the window's thread: the engine leaves the window (which stops the frame timer there),
// the window gets its own procedure and user data back, and the link gives up the host, which
// may end here when the player has let the object go meanwhile.
void HandBack(WindowLink* link) {
  if (link->handedBack.load()) return;
  RealPlayerVisualHost* host = link->host;
  if (host->AttachedWindow() == link->window) host->DetachTarget();
  SetWindowLongPtrA(link->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->previousProcedure));
  SetWindowLongPtrA(link->window, GWLP_USERDATA, link->previousUserData);
  link->handedBack.store(true);
  host->Release();
  ReleaseLink(link);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowLink* link = LinkOfWindow(window);
  if (link == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const WNDPROC previous = link->previousProcedure;
  if (message == kAttachMessage) {
    Attach(link);
    return 0;
  }
  if (message == kDetachMessage) {
    HandBack(link);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    // The window ends before it was given back: this is the last chance on its thread.
    HandBack(link);
  } else {
    bool handled = false;
    const intptr_t result = link->host->HandleMessage(message, wParam, lParam, &handled);
    if (handled) return result;
  }
  if (previous != nullptr) return CallWindowProcA(previous, window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

// The window still runs this module's procedure after the object stopped waiting for it.
void KeepModuleLoaded() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&WindowProcedure), &module);
}

// Asks the window's thread to give the window back and waits, bounded, until it has.
void GiveBack(VisualizationObject* object) {
  WindowLink* link = object->link;
  object->link = nullptr;
  HWND window = link->window;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    SendMessageA(window, kDetachMessage, 0, 0);
  } else if (PostMessageA(window, kDetachMessage, 0, 0)) {
    for (DWORD waited = 0; waited < kDetachWaitMs; waited += kDetachPollMs) {
      if (link->handedBack.load() || !IsWindow(window)) break;
      Sleep(kDetachPollMs);
    }
  }
  if (!link->handedBack.load() && IsWindow(window)) KeepModuleLoaded();
  ReleaseLink(link);
}

void Subclass(VisualizationObject* object, HWND window) {
  auto* link = new WindowLink();
  object->host->AddRef();
  link->host = object->host;
  link->window = window;
  link->previousUserData = GetWindowLongPtrA(window, GWLP_USERDATA);
  link->previousProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  object->link = link;
  // The link first: the procedure finds it at once.
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure));
}

}  // namespace

Result MoveToWindow(VisualizationObject* object, HWND window) {
  if (window != nullptr && !IsWindow(window)) return result::kInvalidArgument;
  HWND current = object->link != nullptr ? object->link->window : nullptr;
  if (window == nullptr && current == nullptr) return result::kOk;
  if (window != current) {
    // A window whose thread has not yet run an earlier hand-back is not ours to take again.
    if (window != nullptr && RunsOurProcedure(window)) return result::kFail;
    if (current != nullptr) GiveBack(object);
    if (window == nullptr) return result::kOk;
    Subclass(object, window);
  }
  PostMessageA(window, kAttachMessage, 0, 0);
  return result::kOk;
}

}  // namespace realplayer
