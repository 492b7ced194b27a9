// The in-process server's lock count: live objects and the class factories' LockServer calls
// both count, so that DllCanUnloadNow answers S_OK only when nothing of the module is in use.
#pragma once

namespace activex {

void LockModule();
void UnlockModule();
long ModuleLockCount();

}  // namespace activex
