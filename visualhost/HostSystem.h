// The few system services the portable host code needs: a window's client rectangle, the
// frame timer and the end of the pump thread. Windows builds implement them with the system;
// native builds have no windows or threads of this kind and answer as if none existed.
#pragma once

#include <cstdint>

#include "visualhost/EngineRecords.h"

class VisualHost;
using HostWindow = void*;
using HostThread = void*;

// The window's client rectangle; false when it cannot be had.
bool QueryClientRect(HostWindow window, EngineRect& rect);

// Arms (or re-arms) the window timer whose id is the host, firing every `milliseconds`; each
// tick runs the host's Step and then Schedule(true).
void SetFrameTimer(VisualHost* host, HostWindow window, uint32_t milliseconds);
void KillFrameTimer(VisualHost* host, HostWindow window);

// Waits up to 8 seconds for a pump thread to end by itself, ends it when it has not, and
// closes the handle.
void EndPumpThread(HostThread thread);
