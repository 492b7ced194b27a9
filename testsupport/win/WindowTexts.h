// What tests read of a window of any process: its title and class name, and the message of a
// message box (the box's longest static text; its buttons and icon are not it). The title and
// class are inline, so that the stand-in players, which link no test library, read them the
// same way.
#pragma once

#include <windows.h>

#include <string>

inline std::string WindowText(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string WindowClass(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string MessageBoxText(HWND box);
