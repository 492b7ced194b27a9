// The window messages the host base handles itself. A message it does not handle goes to the
// system's default handling (the result is then -1 and *handled false).
#include "visualhost/HostSystem.h"
#include "visualhost/VisualHost.h"

namespace {

// Window message numbers, kept here so the portable base needs no system headers.
constexpr uint32_t kDestroyMessage = 0x0002;   // WM_DESTROY
constexpr uint32_t kPaintMessage = 0x000F;     // WM_PAINT
constexpr uint32_t kCloseMessage = 0x0010;     // WM_CLOSE
constexpr uint32_t kEraseBackground = 0x0014;  // WM_ERASEBKGND
// The pump thread asks the window's thread for a frame with this message.
constexpr uint32_t kPumpMessage = 0x209;  // WM_MBUTTONDBLCLK
constexpr uint32_t kPumpMessageMark = 0xDEADBEEF;
constexpr intptr_t kUnhandledResult = -1;

}  // namespace

intptr_t VisualHost::HandleMessage(uint32_t message, uintptr_t, intptr_t lParam, bool* handled) {
  bool isHandled = false;
  intptr_t result = kUnhandledResult;
  if (message == kPumpMessage && static_cast<uint32_t>(lParam) == kPumpMessageMark) {
    Step();
    isHandled = true;
    result = mNextPeriod;
  } else if (message == kDestroyMessage || message == kCloseMessage) {
    // The engine must stop drawing into a window that is going; the system still closes it.
    DetachTarget();
  } else if (message == kPaintMessage || message == kEraseBackground) {
    // The engine does all the drawing.
    HostSystem().validateWindow(mAttachedWindow);
    isHandled = true;
    result = 0;
  }
  if (handled != nullptr) *handled = isHandled;
  return result;
}
