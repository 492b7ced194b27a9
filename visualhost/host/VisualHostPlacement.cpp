// Placing the host's window: the engine decides where it goes and how big it is.
#include "visualhost/host/HostSystem.h"
#include "visualhost/host/VisualHost.h"

void VisualHost::PlaceWindow(HostWindow window) {
  if (!CanRequest()) return;
  EngineRect rect = {0, 0, 0, 0};
  mTable->Request(mInstance, HostRequest::kWindowRect, &rect, nullptr);
  // An empty or inverted answer leaves the window where it is, hidden if it was created so.
  if (rect.right > rect.left && rect.bottom > rect.top && window != nullptr) {
    HostSystem().moveAndShowWindow(window, rect);
  }
}
