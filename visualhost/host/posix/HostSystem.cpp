// Native builds have no windows, timers or pump threads: every call answers as if the window
// were gone, so only tests that install their own calls see the host base at work.
#include <chrono>
#include <thread>

#include "visualhost/host/HostSystem.h"

namespace {

bool NoClientRect(HostWindow, EngineRect*) {
  return false;
}
void NoWindowChange(HostWindow, const EngineRect&) {}
void NoValidation(HostWindow) {}
void NoTimer(HostWindow, VisualHost*, uint32_t) {}
void NoTimerToKill(HostWindow, VisualHost*) {}
HostThread NoThread(VisualHost*) {
  return nullptr;
}
void NoThreadToEnd(HostThread, uint32_t) {}
bool NoMessage(HostWindow, uint32_t, uintptr_t, intptr_t, uint32_t, intptr_t* result) {
  if (result != nullptr) *result = 0;
  return false;
}
void SleepFor(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
int16_t KeyUp(int32_t) {
  return 0;
}
uint32_t NoMapping(uint32_t, uint32_t) {
  return 0;
}
HostWindow NoForeground() {
  return nullptr;
}
int32_t NoClassName(HostWindow, char* name, int32_t capacity) {
  if (name != nullptr && capacity > 0) name[0] = 0;
  return 0;
}
void NoFocus(HostWindow) {}
bool NoMessageToRemove(HostWindow, uint32_t, uint32_t) {
  return false;
}

constexpr HostSystemCalls kNativeCalls = {
    &NoClientRect, &NoWindowChange, &NoValidation, &NoTimer,  &NoTimerToKill,
    &NoThread,     &NoThreadToEnd,  &NoMessage,    &SleepFor, &KeyUp,
    &NoMapping,    &NoForeground,   &NoClassName,  &NoFocus,  &NoMessageToRemove,
};

}  // namespace

const HostSystemCalls& DefaultHostSystem() {
  return kNativeCalls;
}
