// VirtualDJ's mouse and key events as the engine's input events ('Evnt').
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"

namespace virtualdj {

// VirtualDJ's modifier bits as the engine's: its 4 is Shift, 1 Ctrl, 2 Alt, and 8 stays 8.
uint32_t EngineModifiers(int32_t modifiers);

// A zeroed event of the kind at (x, y) with the modifiers converted.
EventRecord MouseEvent(uint32_t kind, int32_t x, int32_t y, int32_t modifiers);

// The key event for a virtual key: the special key's code for page up and down, end, home and
// the arrows, otherwise the character given (the system's translation of the key); no event
// (false) when that is 0.
bool KeyEvent(int32_t virtualKey, uint16_t character, int32_t modifiers, EventRecord* event);

}  // namespace virtualdj
