// The process-wide binding of the multi-monitor functions.
#include <iterator>

#include "visualhost/monitors/Monitors.h"

namespace {

struct MonitorBinding {
  bool bound = false;
  MonitorFunctions functions = {};
};

static_assert(sizeof(MonitorFunctions) == std::size(kMonitorFunctionNames) * sizeof(SystemProc));

// Looks the names up in order and stops at the first one missing; a partial set is no use to
// anyone, so then none is kept.
MonitorBinding Bind(MonitorProcLookup lookup) {
  SystemProc found[std::size(kMonitorFunctionNames)] = {};
  for (size_t i = 0; i < std::size(kMonitorFunctionNames); ++i) {
    found[i] = lookup(kMonitorFunctionNames[i]);
    if (found[i] == nullptr) return MonitorBinding();
  }
  MonitorBinding binding;
  binding.bound = true;
  binding.functions = {found[0], found[1], found[2], found[3], found[4], found[5], found[6]};
  return binding;
}

// Bound on first use; the initialisation of a function's static is done once even when
// several threads get here together.
MonitorBinding& CurrentBinding() {
  static MonitorBinding binding = Bind(&LookUpUser32Function);
  return binding;
}

}  // namespace

bool BindMonitorFunctions() {
  return CurrentBinding().bound;
}

const MonitorFunctions& BoundMonitorFunctions() {
  return CurrentBinding().functions;
}

bool RebindMonitorFunctions(MonitorProcLookup lookup) {
  CurrentBinding() = Bind(lookup != nullptr ? lookup : &LookUpUser32Function);
  return CurrentBinding().bound;
}
