// The windows of the stand-in players: a class registered with the player's procedure, a
// top-level window sized by its client area and shown without taking the focus from the test
// desktop, and a pixel read back from what the window shows.
#pragma once

#include <windows.h>

#include <cstdint>

namespace standin {

// Registers the class with the arrow cursor and the background (null: none); registering it a
// second time does no harm.
void RegisterPlayerWindowClass(HINSTANCE instance, const wchar_t* windowClass, WNDPROC procedure,
                               HBRUSH background);

// Where a player's window stands and how large its client area is.
struct WindowPlace {
  int x;
  int y;
  int clientWidth;
  int clientHeight;
};

// A top-level window of the registered class with a frame around a client area of the place's
// size. Shown without activation unless the style already makes it visible.
HWND CreatePlayerWindow(HINSTANCE instance, const wchar_t* windowClass, const wchar_t* title,
                        DWORD style, const WindowPlace& place);

// The window's pixel at (x, y) as 0xRRGGBB; -1 when there is no window or no pixel there.
int64_t WindowPixel(HWND window, int x, int y);

}  // namespace standin
