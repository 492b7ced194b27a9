// The engine's own fullscreen window: a top-level popup of the class hosts recognise
// (kEngineFullscreenWindowClass), covering one monitor. The class is registered once per
// process, at the first window, and unregistered when the engine library is unloaded.
#pragma once

#include <windows.h>

#include <cstdint>

namespace refengine {

// A visible window covering the monitor that holds `hostWindow` (the primary monitor without one),
// whose keys end the instance's fullscreen. Null when it cannot be made.
HWND CreateFullscreenWindow(uint32_t instance, HWND hostWindow);

// Closes the windows still open (those of the calling thread) and unregisters the class.
void UnregisterFullscreenWindowClass();

}  // namespace refengine
