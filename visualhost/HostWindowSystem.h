// The window calls of the host base: placing and showing the host's window and telling the
// system that the engine has drawn all of it. Windows builds use the system; native builds
// have no windows and do nothing.
#pragma once

#include "visualhost/EngineRecords.h"

using HostWindow = void*;

// Moves the window to the rectangle (repainting) and shows it.
void MoveAndShowWindow(HostWindow window, const EngineRect& rect);

// Marks the whole window as drawn, so the system asks no painting of anyone.
void ValidateWholeWindow(HostWindow window);
