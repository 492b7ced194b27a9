// Monitor sizes on Windows, through the bound multi-monitor functions or, without them, as
// the one primary monitor the screen metrics describe.
#include "visualhost/monitors/Monitors.h"

#include <windows.h>

#include "visualhost/engine/RectSize.h"

namespace {

// The primary monitor as the multi-monitor functions would describe it.
bool DescribePrimaryMonitor(MONITORINFO* info) {
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &info->rcWork, 0)) return false;
  info->rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  info->dwFlags = MONITORINFOF_PRIMARY;
  return true;
}

}  // namespace

SystemProc LookUpUser32Function(const char* name) {
  // USER32 is loaded by every process with windows; it is never loaded just for this.
  const HMODULE user32 = GetModuleHandleA("USER32");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<SystemProc>(GetProcAddress(user32, name));
}

bool GetMonitorSize(HostMonitor monitor, MonitorSize* size) {
  if (size == nullptr) return false;
  *size = {};
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  static_assert(sizeof(MONITORINFO) == 40);
  if (BindMonitorFunctions()) {
    const auto getMonitorInfo =
        reinterpret_cast<decltype(&GetMonitorInfoA)>(BoundMonitorFunctions().getMonitorInfoA);
    if (!getMonitorInfo(static_cast<HMONITOR>(monitor), &info)) return false;
  } else {
    if (monitor != PrimaryMonitorPseudoHandle()) return false;
    if (!DescribePrimaryMonitor(&info)) return false;
  }
  size->width = ClampToInt32(RectWidth(info.rcMonitor));
  size->height = ClampToInt32(RectHeight(info.rcMonitor));
  return true;
}
