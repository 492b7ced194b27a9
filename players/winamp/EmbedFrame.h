// The player's embedding function (what message 505 leads to) and the frame windows it makes.
//
// The plug-in calls the function on its visualization thread with an EmbedState; the player
// makes a frame window from it (hidden: the plug-in shows it), stores the frame's handle in the
// state and keeps the state's rectangle up to date while the frame moves and sizes, as long as
// the frame lives. The frame fills its client area with the window the plug-in puts inside,
// and hands WM_CLOSE to that window, so the plug-in closes its own window and the frame.
// Frames belong to the visualization thread; these functions run there.
#pragma once

#include <windows.h>

#include "players/winamp/StandInOptions.h"
#include "vis_Omnihost/winamp/WinampRecords.h"

namespace winamp_standin {

// Registers the frame class; frames of kind kChild are children of the player's window.
bool SetUpEmbedding(HINSTANCE instance, HWND player, EmbedKind kind);
// The function 505 answers.
winamp::EmbedFunction TheEmbedFunction();
// The newest frame still alive, or null.
HWND LiveFrame();
// After the module's Quit: a frame still alive is the plug-in's mistake (its state may be gone),
// so it is journaled as Unexpected, forgets its state and is destroyed.
void DestroyLeftoverFrames();

}  // namespace winamp_standin
