// What tests read of a window of any process: its title and class name, and the message of a
// message box (the box's longest static text; its buttons and icon are not it).
#pragma once

#include <windows.h>

#include <string>

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
std::string MessageBoxText(HWND box);
