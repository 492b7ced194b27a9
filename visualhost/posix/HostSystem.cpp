// Native builds have no windows, timers or pump threads.
#include "visualhost/HostSystem.h"

bool QueryClientRect(HostWindow, EngineRect&) {
  return false;
}

void SetFrameTimer(VisualHost*, HostWindow, uint32_t) {}

void KillFrameTimer(VisualHost*, HostWindow) {}

void EndPumpThread(HostThread) {}
