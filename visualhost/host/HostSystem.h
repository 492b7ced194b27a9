// The system calls of the host base, behind one table.
//
// The portable host code (frame pacing, the pump thread, input forwarding, window placement)
// reaches the system only through HostSystem(). Windows builds fill the default table with the
// system's own calls; native builds have no windows, timers or threads of this kind and answer
// as if none existed. Tests install a table of their own with SetHostSystem to watch what the
// host asked of the system (the period given to the timer, how often it was armed, the
// time-out of the pump message) or to steer what the system answers (key states, the
// foreground window), usually forwarding to DefaultHostSystem() for the rest.
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"

class VisualHost;
using HostWindow = void*;
using HostThread = void*;

struct HostSystemCalls {
  // Windows and drawing.
  bool (*getClientRect)(HostWindow window, EngineRect* rect);  // false when it cannot be had
  void (*moveAndShowWindow)(HostWindow window, const EngineRect& rect);  // repaints, then shows
  void (*validateWindow)(HostWindow window);  // the whole window counts as drawn

  // The frame timer, one per host: its id is the host, each tick runs
  // VisualHost::OnFrameTimer(host). Setting a running timer replaces its period.
  void (*setTimer)(HostWindow window, VisualHost* host, uint32_t periodMs);
  void (*killTimer)(HostWindow window, VisualHost* host);

  // The pump thread: started with VisualHost::RunPumpThread(host); ending it waits up to
  // timeoutMs for the thread to return by itself, ends it otherwise, and closes the handle.
  HostThread (*createPumpThread)(VisualHost* host);
  void (*endPumpThread)(HostThread thread, uint32_t timeoutMs);
  // SendMessageTimeoutA with SMTO_NORMAL; false on failure or time-out.
  bool (*sendMessageTimeout)(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                             uint32_t timeoutMs, intptr_t* result);
  void (*sleep)(uint32_t milliseconds);

  // Input.
  int16_t (*getKeyState)(int32_t virtualKey);
  uint32_t (*mapVirtualKey)(uint32_t code, uint32_t mapType);  // MapVirtualKeyA
  HostWindow (*getForegroundWindow)();
  // GetClassNameA: copies at most capacity - 1 characters; the count copied, 0 on failure.
  int32_t (*getClassName)(HostWindow window, char* name, int32_t capacity);
  void (*setFocus)(HostWindow window);
  // PeekMessageA with PM_REMOVE of one message of the window in [first, last]; true if one was.
  bool (*removeMessage)(HostWindow window, uint32_t first, uint32_t last);
};

// The table in use; DefaultHostSystem() unless a test installed another.
const HostSystemCalls& HostSystem();
// The platform's own calls.
const HostSystemCalls& DefaultHostSystem();
// Installs a table (null: the default) and returns the one it replaces. The table must stay
// alive while installed; it is read by the pump thread too, so install it before starting one.
const HostSystemCalls* SetHostSystem(const HostSystemCalls* calls);
