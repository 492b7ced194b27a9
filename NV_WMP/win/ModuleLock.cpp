#include "NV_WMP/win/ModuleLock.h"

#include <windows.h>

#include "NV_WMP/win/EffectTypeInfo.h"

namespace wmp {

namespace {
LONG gLocks = 0;
}  // namespace

void LockModule() {
  InterlockedIncrement(&gLocks);
}

void UnlockModule() {
  // The type information is cached only while something holds the module.
  if (InterlockedDecrement(&gLocks) == 0) ReleaseEffectTypeInfo();
}

bool IsModuleLocked() {
  return InterlockedCompareExchange(&gLocks, 0, 0) != 0;
}

}  // namespace wmp
