#include "vis_Omnihost/virtualdj/VirtualDjInput.h"

#include "vis_Omnihost/virtualdj/VirtualDjRecords.h"
#include "visualhost/host/WindowMessages.h"

namespace virtualdj {

uint32_t EngineModifiers(int32_t modifiers) {
  uint32_t bits = 0;
  if ((modifiers & modifier::kShift) != 0) bits |= EventModifier::kShift;
  if ((modifiers & modifier::kCtrl) != 0) bits |= EventModifier::kCtrl;
  if ((modifiers & modifier::kAlt) != 0) bits |= EventModifier::kAlt;
  if ((modifiers & modifier::kFourth) != 0) bits |= 0x8;
  return bits;
}

EventRecord MouseEvent(uint32_t kind, int32_t x, int32_t y, int32_t modifiers) {
  EventRecord event = {};
  event.x = x;
  event.y = y;
  event.flags = kind | EngineModifiers(modifiers);
  return event;
}

bool KeyEvent(int32_t virtualKey, uint16_t character, int32_t modifiers, EventRecord* event) {
  const uint16_t special = virtualKey >= 0 ? SpecialKeyCodeOf(uintptr_t(virtualKey)) : 0;
  const uint16_t key = special != 0 ? special : character;
  if (key == 0) return false;
  *event = MouseEvent(EventKind::kKey, 0, 0, modifiers);
  event->key = key;
  return true;
}

}  // namespace virtualdj
