// The player's visualization menu commands as the engine's script texts.
#pragma once

#include <cstdint>

namespace winamp {

// The script for a menu command, or null for a command the engine has no script for.
const char* MenuScript(uint16_t command);

}  // namespace winamp
