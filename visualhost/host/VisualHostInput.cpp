// Keyboard and mouse messages of the attached window, passed to the engine as input events
// ('Evnt'). The engine answers 55019 for an event it did not consume and 55012 for one it does
// not know; such messages go on to the system's default handling.
#include <cstring>

#include "visualhost/monitors/EngineFullscreenWindow.h"
#include "visualhost/host/HostSystem.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/host/WindowMessages.h"

namespace {

struct MessageKind {
  uint32_t message;
  uint32_t kind;
};

// The messages that make events. Double-clicks of the right and middle buttons (the middle one
// also carries the pump message) and mouse moves make none.
constexpr MessageKind kEventKinds[] = {
    {WindowMessage::kKeyDown, EventKind::kKey},
    {WindowMessage::kChar, EventKind::kKey},
    {WindowMessage::kKeyUp, EventKind::kKeyUp},
    {WindowMessage::kSysChar, EventKind::kSysChar},
    {WindowMessage::kLeftButtonDown, EventKind::kLeftDown},
    {WindowMessage::kLeftButtonUp, EventKind::kLeftUp},
    {WindowMessage::kLeftButtonDblClk, EventKind::kLeftDoubleClick},
    {WindowMessage::kRightButtonDown, EventKind::kRightDown},
    {WindowMessage::kRightButtonUp, EventKind::kRightUp},
    {WindowMessage::kMiddleButtonDown, EventKind::kMiddleDown},
    {WindowMessage::kMiddleButtonUp, EventKind::kMiddleUp},
    {WindowMessage::kMouseWheel, EventKind::kWheel},
    {WindowMessage::kMouseHWheel, EventKind::kWheel},
};

bool EventKindOf(uint32_t message, uint32_t* kind) {
  for (const MessageKind& entry : kEventKinds) {
    if (entry.message == message) {
      *kind = entry.kind;
      return true;
    }
  }
  return false;
}

struct SpecialKeyCode {
  uint32_t virtualKey;
  uint16_t code;
};

constexpr SpecialKeyCode kSpecialKeys[] = {
    {VirtualKey::kUp, SpecialKey::kUp},         {VirtualKey::kDown, SpecialKey::kDown},
    {VirtualKey::kLeft, SpecialKey::kLeft},     {VirtualKey::kRight, SpecialKey::kRight},
    {VirtualKey::kHome, SpecialKey::kHome},     {VirtualKey::kEnd, SpecialKey::kEnd},
    {VirtualKey::kPageUp, SpecialKey::kPageUp}, {VirtualKey::kPageDown, SpecialKey::kPageDown},
};

}  // namespace

uint16_t SpecialKeyCodeOf(uintptr_t virtualKey) {
  for (const SpecialKeyCode& entry : kSpecialKeys) {
    if (entry.virtualKey == virtualKey) return entry.code;
  }
  return 0;
}

namespace {

// The key state counts as down when any of bits 1 to 7 of its low byte is set; bit 0 is the
// toggle state, which says nothing about the key being held.
bool KeyIsDown(int32_t virtualKey) {
  return (static_cast<uint16_t>(HostSystem().getKeyState(virtualKey)) & 0xFE) != 0;
}

uint32_t ModifierBits() {
  uint32_t bits = 0;
  if (KeyIsDown(VirtualKey::kShift)) bits |= EventModifier::kShift;
  if (KeyIsDown(VirtualKey::kMenu)) bits |= EventModifier::kAlt;
  if (KeyIsDown(VirtualKey::kControl)) bits |= EventModifier::kCtrl;
  return bits;
}

uint16_t LowWord(uintptr_t value) {
  return static_cast<uint16_t>(value & 0xFFFF);
}

uint16_t HighWord(uintptr_t value) {
  return static_cast<uint16_t>((value >> 16) & 0xFFFF);
}

// Mouse positions are signed: a captured mouse can be left of or above the window.
void SetPosition(intptr_t lParam, EventRecord* event) {
  event->x = static_cast<int16_t>(LowWord(static_cast<uintptr_t>(lParam)));
  event->y = static_cast<int16_t>(HighWord(static_cast<uintptr_t>(lParam)));
}

// Precise wheels report deltas below one notch; each still counts as one whole step.
void SetWheelSteps(uint32_t message, uintptr_t wParam, EventRecord* event) {
  constexpr int32_t kNotch = 120;
  int32_t delta = static_cast<int16_t>(HighWord(wParam));
  if (delta > 0 && delta < kNotch) delta = kNotch;
  if (delta < 0 && delta > -kNotch) delta = -kNotch;
  const int32_t steps = delta / kNotch;
  if (message == WindowMessage::kMouseWheel) {
    event->verticalWheel = -steps;
  } else {
    event->horizontalWheel = steps;
  }
}

// A click moves the keyboard focus to the host's window, unless the engine's own fullscreen
// window is in front: taking the focus from it would leave fullscreen without keys.
void TakeFocusForClick(HostWindow window) {
  if (window == nullptr) return;  // SetFocus(null) would take the focus from everyone
  const HostWindow foreground = HostSystem().getForegroundWindow();
  if (foreground == window) return;
  if (foreground != nullptr) {
    char className[64] = {};
    HostSystem().getClassName(foreground, className, sizeof className);
    className[sizeof className - 1] = 0;
    if (std::strcmp(className, kEngineFullscreenWindowClass) == 0) return;
  }
  HostSystem().setFocus(window);
}

// Whether a click lies outside the margin the host keeps for itself (the sides and the bottom
// edge; the top is not part of it). Always true without a margin or a client rectangle.
bool ClickOutsideMouseBorder(HostWindow window, int32_t border, intptr_t lParam) {
  EngineRect client;
  if (border <= 0 || !HostSystem().getClientRect(window, &client)) return true;
  // In 64 bits: neither the border nor the rectangle is bounded.
  const int64_t left = int64_t(client.left) + border;
  const int64_t right = int64_t(client.right) - border;
  const int64_t bottom = int64_t(client.bottom) - border;
  const int64_t x = LowWord(static_cast<uintptr_t>(lParam));
  const int64_t y = HighWord(static_cast<uintptr_t>(lParam));
  return x >= left && x < right && y >= client.top && y < bottom;
}

}  // namespace

bool VisualHost::ForwardInput(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  uint32_t kind = 0;
  if (!EventKindOf(message, &kind)) return false;
  EventRecord event = {};
  event.flags = kind | ModifierBits();
  switch (message) {
    case WindowMessage::kKeyDown:
    case WindowMessage::kKeyUp:
      return ForwardKey(message, wParam, lParam, &event);
    case WindowMessage::kChar:
    case WindowMessage::kSysChar:
      return ForwardCharacter(wParam, &event);
    case WindowMessage::kMouseWheel:
    case WindowMessage::kMouseHWheel:
      SetPosition(lParam, &event);
      SetWheelSteps(message, wParam, &event);
      return SendEvent(event);
    default:
      return ForwardMouseButton(message, lParam, &event);
  }
}

bool VisualHost::ForwardKey(uint32_t message, uintptr_t wParam, intptr_t lParam,
                            EventRecord* event) {
  event->key = SpecialKeyCodeOf(wParam);
  if (event->key != 0) return SendEvent(*event);
  if (message == WindowMessage::kKeyUp) {
    mPendingControlChar = 0;
  } else if ((event->flags & EventModifier::kCtrl) != 0) {
    // With Ctrl held the character message brings a control code (Ctrl+A gives 1); remember
    // the key's own character in case the engine does not take the control code.
    const uint32_t scanCode = HighWord(static_cast<uintptr_t>(lParam)) & 0xFF;
    const uint32_t virtualKey = HostSystem().mapVirtualKey(scanCode, kMapScanCodeToVirtualKey);
    mPendingControlChar =
        static_cast<uint16_t>(HostSystem().mapVirtualKey(virtualKey, kMapVirtualKeyToChar));
  }
  return false;
}

bool VisualHost::ForwardCharacter(uintptr_t wParam, EventRecord* event) {
  event->key = LowWord(wParam);
  if ((event->flags & EventModifier::kCtrl) == 0) return SendEvent(*event);
  // The control code goes first, as a plain character; only when the engine leaves it is the
  // key's own character sent with Ctrl.
  event->flags &= ~EventModifier::kCtrl;
  if (!CanRequest()) return true;
  if (RequestEvent(*event) != NVStatus::kEventNotConsumed) return true;
  if (mPendingControlChar == 0) return false;
  event->flags |= EventModifier::kCtrl;
  event->key = mPendingControlChar;
  return SendEvent(*event);
}

bool VisualHost::ForwardMouseButton(uint32_t message, intptr_t lParam, EventRecord* event) {
  const HostWindow window = mAttachedWindow;
  TakeFocusForClick(window);
  SetPosition(lParam, event);
  if (!ClickOutsideMouseBorder(window, mMouseBorder, lParam)) return false;
  if (message == WindowMessage::kLeftButtonDblClk && window != nullptr) {
    // A double-click is one gesture for the engine: one mouse message still queued behind it
    // is dropped (a null window would drop one of any window of the thread).
    HostSystem().removeMessage(window, WindowMessage::kMouseFirst, WindowMessage::kMouseHWheel);
  }
  return SendEvent(*event);
}

bool VisualHost::SendEvent(const EventRecord& event) {
  if (!CanRequest()) return true;  // nobody to refuse it
  const int64_t answer = RequestEvent(event);
  return answer != NVStatus::kEventNotConsumed && answer != NVStatus::kNotHandled;
}

int64_t VisualHost::RequestEvent(const EventRecord& event) {
  EventRecord record = event;
  return mTable->Request(mInstance, HostRequest::kEvent, &record, nullptr);
}
