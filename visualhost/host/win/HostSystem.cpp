// The host base's system calls on Windows.
#include "visualhost/host/HostSystem.h"

#include <windows.h>

#include "visualhost/engine/RectSize.h"
#include "visualhost/host/VisualHost.h"

namespace {

HWND AsWindow(HostWindow window) {
  return static_cast<HWND>(window);
}

bool GetClientRectCall(HostWindow window, EngineRect* rect) {
  RECT client;
  if (!GetClientRect(AsWindow(window), &client)) return false;
  *rect = {client.left, client.top, client.right, client.bottom};
  return true;
}

// The rectangle is the engine's answer: its size may not fit 32 bits.
void MoveAndShowWindowCall(HostWindow window, const EngineRect& rect) {
  MoveWindow(AsWindow(window), rect.left, rect.top, ClampToInt32(RectWidth(rect)),
             ClampToInt32(RectHeight(rect)), TRUE);
  ShowWindow(AsWindow(window), SW_SHOW);
}

void ValidateWindowCall(HostWindow window) {
  ValidateRect(AsWindow(window), nullptr);
}

// The timer's id is the host's address.
void CALLBACK FrameTimerTick(HWND, UINT, UINT_PTR id, DWORD) {
  VisualHost::OnFrameTimer(reinterpret_cast<VisualHost*>(id));
}

void SetTimerCall(HostWindow window, VisualHost* host, uint32_t periodMs) {
  SetTimer(AsWindow(window), reinterpret_cast<UINT_PTR>(host), periodMs, &FrameTimerTick);
}

void KillTimerCall(HostWindow window, VisualHost* host) {
  KillTimer(AsWindow(window), reinterpret_cast<UINT_PTR>(host));
}

DWORD WINAPI PumpThreadStart(void* host) {
  return VisualHost::RunPumpThread(static_cast<VisualHost*>(host));
}

HostThread CreatePumpThreadCall(VisualHost* host) {
  return CreateThread(nullptr, 0, &PumpThreadStart, host, 0, nullptr);
}

void EndPumpThreadCall(HostThread thread, uint32_t timeoutMs) {
  if (thread == nullptr) return;
  if (WaitForSingleObject(thread, timeoutMs) == WAIT_TIMEOUT) TerminateThread(thread, 0);
  CloseHandle(thread);
}

bool SendMessageTimeoutCall(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                            uint32_t timeoutMs, intptr_t* result) {
  DWORD_PTR answer = 0;
  const LRESULT sent = SendMessageTimeoutA(AsWindow(window), message, wParam, lParam, SMTO_NORMAL,
                                           timeoutMs, &answer);
  if (result != nullptr) *result = static_cast<intptr_t>(answer);
  return sent != 0;
}

void SleepCall(uint32_t milliseconds) {
  Sleep(milliseconds);
}

int16_t GetKeyStateCall(int32_t virtualKey) {
  return GetKeyState(virtualKey);
}

uint32_t MapVirtualKeyCall(uint32_t code, uint32_t mapType) {
  return MapVirtualKeyA(code, mapType);
}

HostWindow GetForegroundWindowCall() {
  return GetForegroundWindow();
}

int32_t GetClassNameCall(HostWindow window, char* name, int32_t capacity) {
  return GetClassNameA(AsWindow(window), name, capacity);
}

void SetFocusCall(HostWindow window) {
  SetFocus(AsWindow(window));
}

bool RemoveMessageCall(HostWindow window, uint32_t first, uint32_t last) {
  MSG message;
  return PeekMessageA(&message, AsWindow(window), first, last, PM_REMOVE) != 0;
}

constexpr HostSystemCalls kWindowsCalls = {
    &GetClientRectCall, &MoveAndShowWindowCall, &ValidateWindowCall, &SetTimerCall,
    &KillTimerCall,     &CreatePumpThreadCall,  &EndPumpThreadCall,  &SendMessageTimeoutCall,
    &SleepCall,         &GetKeyStateCall,       &MapVirtualKeyCall,  &GetForegroundWindowCall,
    &GetClassNameCall,  &SetFocusCall,          &RemoveMessageCall,
};

}  // namespace

const HostSystemCalls& DefaultHostSystem() {
  return kWindowsCalls;
}
