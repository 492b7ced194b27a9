// The window messages the host base handles itself. A message it does not handle goes to the
// system's default handling (the result is then -1 and *handled false).
#include "visualhost/host/HostSystem.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/host/WindowMessages.h"

namespace {

constexpr intptr_t kUnhandledResult = -1;

// A change of place or size (not a mere change of z-order or visibility) means the target has
// to be attached again before the next frame.
bool MovedOrResized(intptr_t lParam) {
  const auto* position = reinterpret_cast<const WindowPosition*>(lParam);
  if (position == nullptr) return false;
  constexpr uint32_t kNeither = WindowPositionFlag::kNoSize | WindowPositionFlag::kNoMove;
  return (position->flags & kNeither) != kNeither;
}

}  // namespace

intptr_t VisualHost::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                   bool* handled) {
  bool isHandled = false;
  intptr_t result = kUnhandledResult;
  if (message == kPumpMessage && static_cast<uint32_t>(lParam) == kPumpMessageMark) {
    Step();
    isHandled = true;
    result = mNextPeriod;
  } else if (message == WindowMessage::kDestroy || message == WindowMessage::kClose) {
    // The engine must stop drawing into a window that is going; the system still closes it.
    DetachTarget();
  } else if ((message == WindowMessage::kPaint || message == WindowMessage::kEraseBackground) &&
             mAttachedWindow.load() != nullptr) {
    // The engine does all the drawing. Without a window attached the system paints: validating
    // no window would leave the window invalid (the same WM_PAINT for ever) and have the system
    // redraw every window on the desktop.
    HostSystem().validateWindow(mAttachedWindow);
    isHandled = true;
    result = 0;
  } else if (message == WindowMessage::kWindowPosChanged) {
    if (MovedOrResized(lParam)) mSizeChanged = true;
  } else if (ForwardInput(message, wParam, lParam)) {
    isHandled = true;
    result = 0;
  }
  if (handled != nullptr) *handled = isHandled;
  return result;
}
