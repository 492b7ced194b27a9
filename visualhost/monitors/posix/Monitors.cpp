// Native builds have no monitors: nothing is bound and no monitor can be measured.
#include "visualhost/monitors/Monitors.h"

SystemProc LookUpUser32Function(const char*) {
  return nullptr;
}

bool GetMonitorSize(HostMonitor, MonitorSize* size) {
  if (size != nullptr) *size = {};
  return false;
}
