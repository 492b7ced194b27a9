// The module's lock count: live effect objects and class-factory locks. DllCanUnloadNow answers
// S_OK only while it is zero. Changed with interlocked operations.
#pragma once

namespace wmp {

void LockModule();
void UnlockModule();
bool IsModuleLocked();

}  // namespace wmp
