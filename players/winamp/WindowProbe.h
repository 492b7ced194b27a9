// A look at the plug-in's window from inside the player, for tests in another process: its
// kind (style, parent, owner, class, text), its size, and what is drawn in it, read back from
// the window's device context.
#pragma once

#include <windows.h>

namespace winamp_standin {

// Journals a "Probe" line for the window (exists=0 when it is no window).
void ProbeWindow(HWND window);

}  // namespace winamp_standin
