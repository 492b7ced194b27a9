// The visualization object RealPlayer holds: its interface (the table pointer the player calls
// through, first, so that the object is found back from the interface pointer), the reference
// count, the host, the player's context service kept at initialise, and what the object changed
// on the window it draws into.
//
// The player calls the object on a thread of its own; the window may belong to another thread.
// Everything the engine does happens on the window's thread, which the object reaches with
// posted messages (kAttachMessage, kDetachMessage).
#pragma once

#include <windows.h>

#include <atomic>

#include "vis_Omnihost/realplayer/RealPlayerRecords.h"
#include "vis_Omnihost/realplayer/win/RealPlayerVisualHost.h"

namespace realplayer {

// The object's hold on one window: what it replaced there and a reference to the host that
// draws there. While the window runs the object's procedure its user data names the link, so
// the procedure never depends on the object, which the player may release at any time.
//
// The window's thread alone gives the window back (kDetachMessage, or the window's end): it
// detaches the engine, which stops the frame timer on that thread, restores the procedure and
// user data and drops the host reference, so the timer and the frames never outlive the host.
// The link has two holders, the object and the window; the object waits for the hand-back only
// for a bounded time and then lets the window's thread finish it.
struct WindowLink {
  std::atomic<uint32_t> references{2};
  RealPlayerVisualHost* host = nullptr;  // one reference of the link's own
  HWND window = nullptr;
  LONG_PTR previousUserData = 0;
  WNDPROC previousProcedure = nullptr;
  std::atomic<bool> handedBack{false};
};

struct VisualizationObject {
  Visualization face;  // first: the interface pointer is the object's address
  std::atomic<uint32_t> references{1};
  RealPlayerVisualHost* host = nullptr;
  Unknown* context = nullptr;
  WindowLink* link = nullptr;  // the window the object draws into, if any
};

// A new object with one reference and a new host.
VisualizationObject* NewVisualizationObject();
// Gives the window back, releases the context and the host, and frees the object.
void DestroyVisualizationObject(VisualizationObject* object);
// The object behind the interface pointer (null for null).
inline VisualizationObject* ObjectOf(Visualization* face) {
  return reinterpret_cast<VisualizationObject*>(face);
}

// Moves the object to the window (null: to none); kOk, or kInvalidArgument for a handle that is
// not a window and kFail for a window still held by an earlier hand-back that its thread has
// not run yet; both change nothing.
Result MoveToWindow(VisualizationObject* object, HWND window);

}  // namespace realplayer
