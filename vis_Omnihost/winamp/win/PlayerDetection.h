// Which Winamp-type player loaded the plug-in: jetAudio by its program's path, MediaMonkey by
// the version it answers, Winamp otherwise.
#pragma once

#include <windows.h>

#include "vis_Omnihost/winamp/win/WinampHost.h"

namespace winamp {

PlayerKind DetectPlayer(HWND player);

}  // namespace winamp
