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

struct VisualizationObject {
  Visualization face;  // first: the interface pointer is the object's address
  std::atomic<uint32_t> references{1};
  RealPlayerVisualHost* host = nullptr;
  Unknown* context = nullptr;
  // The window the object subclassed, and what it replaced there.
  HWND window = nullptr;
  LONG_PTR previousUserData = 0;
  WNDPROC previousProcedure = nullptr;
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
// not a window, which changes nothing.
Result MoveToWindow(VisualizationObject* object, HWND window);

}  // namespace realplayer
