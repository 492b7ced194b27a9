// Lets a stand-in player's windows run between its steps: the thread's messages are dispatched
// for a while, never past the player's deadline.
#pragma once

#include <windows.h>

#include <cstdint>

namespace standin {

// Dispatches the thread's messages for the milliseconds (at least once), or until the tick
// count reaches the deadline.
void PumpMessagesFor(int64_t milliseconds, ULONGLONG deadline);

}  // namespace standin
