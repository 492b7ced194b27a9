// System services of the host base: client rectangle, frame timer, pump thread end.
#include "visualhost/HostSystem.h"

#include <windows.h>

#include "visualhost/VisualHost.h"

namespace {

constexpr DWORD kPumpThreadEndTimeoutMs = 8000;

// The timer's id is the host's address.
void CALLBACK FrameTimerTick(HWND, UINT, UINT_PTR id, DWORD) {
  auto* host = reinterpret_cast<VisualHost*>(id);
  // Called from the window's message loop: nothing may escape into the system.
  try {
    host->Step();
    host->Schedule(true);
  } catch (...) {
  }
}

}  // namespace

bool QueryClientRect(HostWindow window, EngineRect& rect) {
  RECT client;
  if (!GetClientRect(static_cast<HWND>(window), &client)) return false;
  rect = {client.left, client.top, client.right, client.bottom};
  return true;
}

void SetFrameTimer(VisualHost* host, HostWindow window, uint32_t milliseconds) {
  SetTimer(static_cast<HWND>(window), reinterpret_cast<UINT_PTR>(host), milliseconds,
           &FrameTimerTick);
}

void KillFrameTimer(VisualHost* host, HostWindow window) {
  KillTimer(static_cast<HWND>(window), reinterpret_cast<UINT_PTR>(host));
}

void EndPumpThread(HostThread thread) {
  if (thread == nullptr) return;
  if (WaitForSingleObject(thread, kPumpThreadEndTimeoutMs) == WAIT_TIMEOUT) {
    TerminateThread(thread, 0);
  }
  CloseHandle(thread);
}
