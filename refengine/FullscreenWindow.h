// The engine's own fullscreen window: a top-level popup of the class hosts recognise
// (kEngineFullscreenWindowClass), covering one monitor. The class is registered once per
// process, at the first window, and unregistered when the engine library is unloaded.
// Natively there are no windows: none is ever made.
#pragma once

#include <cstdint>

#include "refengine/Instance.h"
#include "refengine/NativeHandles.h"

namespace refengine {

// A visible window covering the monitor that shows the host's target (the primary monitor
// without one), whose keys end the instance's fullscreen. Null when it cannot be made.
NativeWindow CreateFullscreenWindow(uint32_t instance, const Target& hostTarget);
void DestroyFullscreenWindow(NativeWindow window);

// Closes the windows still open (those of the calling thread) and unregisters the class.
void UnregisterFullscreenWindowClass();

}  // namespace refengine
