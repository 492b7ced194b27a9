// The monitor helpers of the host framework: the multi-monitor functions of the system, bound
// at run time, and the size of a monitor with a single-monitor fallback.
//
// The seven functions are bound together or not at all, once per process. Hosts that find
// them missing use the primary-monitor pseudo-handle wherever a monitor handle is wanted;
// GetMonitorSize then answers the size of the whole screen.
#pragma once

#include <cstdint>

using HostMonitor = void*;  // HMONITOR

// Stands for the primary monitor when the multi-monitor functions are not bound.
constexpr uintptr_t kPrimaryMonitorPseudoHandle = 0x12340042;
inline HostMonitor PrimaryMonitorPseudoHandle() {
  return reinterpret_cast<HostMonitor>(kPrimaryMonitorPseudoHandle);
}

// An address as the system's look-up gives it; Windows code casts it to the function's type.
using SystemProc = void (*)();

// The bound functions, in the order they are looked up.
struct MonitorFunctions {
  SystemProc getSystemMetrics;
  SystemProc monitorFromWindow;
  SystemProc monitorFromRect;
  SystemProc monitorFromPoint;
  SystemProc enumDisplayMonitors;
  SystemProc getMonitorInfoA;
  SystemProc enumDisplayDevicesA;
};

// Their names, in the same order.
inline constexpr const char* kMonitorFunctionNames[] = {
    "GetSystemMetrics",    "MonitorFromWindow", "MonitorFromRect",     "MonitorFromPoint",
    "EnumDisplayMonitors", "GetMonitorInfoA",   "EnumDisplayDevicesA",
};

// Whether the seven functions are bound. The first call binds them; later calls only report.
bool BindMonitorFunctions();
// The bound functions; all null when they are not bound.
const MonitorFunctions& BoundMonitorFunctions();

// A monitor's width and height in pixels; the third integer is always 0.
struct MonitorSize {
  int32_t width;
  int32_t height;
  int32_t reserved;
};

// The size of the monitor's whole rectangle (not its work area). Without the multi-monitor
// functions only the pseudo-handle is known: the size of the screen. False, with the size
// zeroed, for a monitor that cannot be measured.
bool GetMonitorSize(HostMonitor monitor, MonitorSize* size);

// Looks a function up by name; null when it cannot be had.
using MonitorProcLookup = SystemProc (*)(const char* name);
// The system's look-up: the already loaded USER32 module (Windows); nothing natively.
SystemProc LookUpUser32Function(const char* name);
// Forgets the binding and binds again with the look-up (null: the system's). For tests that
// need the functions missing; not safe while other threads use the binding.
bool RebindMonitorFunctions(MonitorProcLookup lookup);
