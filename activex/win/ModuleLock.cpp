#include "activex/win/ModuleLock.h"

#include <windows.h>

namespace activex {
namespace {

LONG gLocks = 0;

}  // namespace

void LockModule() { InterlockedIncrement(&gLocks); }
void UnlockModule() { InterlockedDecrement(&gLocks); }
long ModuleLockCount() { return InterlockedCompareExchange(&gLocks, 0, 0); }

}  // namespace activex
