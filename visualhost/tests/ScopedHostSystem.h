// Installs a table of system calls for the host base for the length of a scope. It starts as
// a copy of the platform's own calls; a test replaces the entries it watches or steers (plain
// functions, so what they record lives in the test's own static state).
#pragma once

#include "visualhost/host/HostSystem.h"

class ScopedHostSystem {
 public:
  ScopedHostSystem() : calls(DefaultHostSystem()) { mPrevious = SetHostSystem(&calls); }
  ~ScopedHostSystem() { SetHostSystem(mPrevious); }
  ScopedHostSystem(const ScopedHostSystem&) = delete;
  ScopedHostSystem& operator=(const ScopedHostSystem&) = delete;

  // Edited in place; the host base reads it on every call.
  HostSystemCalls calls;

 private:
  const HostSystemCalls* mPrevious = nullptr;
};
