// A stand-in player's window that shows the player's pixel buffer as the plug-in left it, the
// way such a player shows a visualization it drew into memory.
#pragma once

#include <windows.h>

#include "players/shared/PlayerBuffer.h"

namespace standin {

// A visible top-level window of the class (registered on first use) that paints *shown, when
// not null, at every WM_PAINT; *shown must outlive the window.
HWND CreateBufferWindow(HINSTANCE instance, const wchar_t* windowClass, const wchar_t* title,
                        PlayerBuffer* const* shown);

}  // namespace standin
