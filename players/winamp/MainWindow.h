// The player's main window: the window a visualization module gets as its parent and sends its
// messages to. Its class is the one Winamp's main window has, which plug-ins may look for.
#pragma once

#include <windows.h>

#include "players/winamp/StandInOptions.h"

namespace winamp_standin {

class Player;

// Registers the class and makes the visible main window for the player; null on failure. A
// player with child frames gets a window large enough to hold one.
HWND CreateMainWindow(HINSTANCE instance, Player* player, EmbedKind embed);

}  // namespace winamp_standin
