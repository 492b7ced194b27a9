// Waiting in tests for something another thread or process does: a condition asked again and
// again, or a top-level window appearing.
#pragma once

#include <windows.h>

#include <functional>

// Asks again every 50 ms until the check holds or the time is up; the last answer.
bool WaitUntil(const std::function<bool()>& check, DWORD milliseconds = 15000);

// The first top-level window of the class and title (either may be null), or null when none
// appeared in time.
HWND WaitForWindow(const char* windowClass, const char* title, DWORD milliseconds = 15000);
