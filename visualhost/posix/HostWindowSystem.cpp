// Native builds have no windows: the window calls of the host base do nothing.
#include "visualhost/HostWindowSystem.h"

void MoveAndShowWindow(HostWindow, const EngineRect&) {}

void ValidateWholeWindow(HostWindow) {}
