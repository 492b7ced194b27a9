// The device probe: opens the first present device of the program's device interface class
// and holds it, exclusively, for the life of the program.
#pragma once

#include <windows.h>

// The opened device, or null when there is none or anything failed (silently).
HANDLE OpenProbedDevice();
