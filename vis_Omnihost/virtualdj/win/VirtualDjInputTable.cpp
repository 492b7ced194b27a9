// The input-event object's operations, in the order of VirtualDJ's interface, as one explicit
// table: mouse buttons and keys become the engine's input events ('Evnt'). Nothing is sent
// before load, and nothing thrown inside reaches VirtualDJ.
#include <windows.h>

#include "vis_Omnihost/virtualdj/VirtualDjInput.h"
#include "vis_Omnihost/virtualdj/win/VirtualDjPlugin.h"

namespace virtualdj {

namespace {

VirtualDjVisualHost* HostOf(InputEvents* self) {
  PluginObject* object = ObjectOf(self);
  return object != nullptr ? object->host : nullptr;
}

// The engine's answer to the event; 55012 when there is no host to send it.
int64_t Send(InputEvents* self, const EventRecord& event) {
  VirtualDjVisualHost* host = HostOf(self);
  return host != nullptr ? host->SendEvent(event) : NVStatus::kNotHandled;
}

bool VIRTUALDJ_MEMBER_CALL MouseMove(InputEvents*, int32_t, int32_t, int32_t, int32_t) {
  return false;
}

bool VIRTUALDJ_MEMBER_CALL MouseDown(InputEvents* self, int32_t x, int32_t y, int32_t,
                                     int32_t modifiers) {
  try {
    Send(self, MouseEvent(EventKind::kLeftDown, x, y, modifiers));
  } catch (...) {
  }
  return false;
}

bool VIRTUALDJ_MEMBER_CALL MouseUp(InputEvents* self, int32_t x, int32_t y, int32_t,
                                   int32_t modifiers) {
  try {
    if (HostOf(self) == nullptr) return false;
    const int64_t answer = Send(self, MouseEvent(EventKind::kLeftUp, x, y, modifiers));
    return answer != NVStatus::kEventNotConsumed && answer != NVStatus::kNotHandled;
  } catch (...) {
    return false;
  }
}

// The character of the key without any keyboard state; 0 when the key gives none.
uint16_t CharacterOf(int32_t virtualKey, int32_t scanCode) {
  static const BYTE kNoKeyState[256] = {};
  WCHAR units[4] = {};
  const int given = ToUnicode(static_cast<UINT>(virtualKey), static_cast<UINT>(scanCode),
                              kNoKeyState, units, 4, 0);
  return given != 0 ? units[0] : 0;
}

void VIRTUALDJ_MEMBER_CALL Key(InputEvents* self, const char*, int32_t virtualKey,
                               int32_t modifiers, int32_t, int32_t scanCode) {
  try {
    if (HostOf(self) == nullptr) return;
    EventRecord event = {};
    if (KeyEvent(virtualKey, CharacterOf(virtualKey, scanCode), modifiers, &event)) {
      Send(self, event);
    }
  } catch (...) {
  }
}

}  // namespace

const InputEventsTable kInputEventsTable = {&MouseMove, &MouseDown, &MouseUp, &Key};

}  // namespace virtualdj
