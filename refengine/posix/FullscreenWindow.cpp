// Natively the engine has no windows of its own: fullscreen is only what a host shows itself.
#include "refengine/FullscreenWindow.h"

namespace refengine {

NativeWindow CreateFullscreenWindow(uint32_t, const Target&) {
  return nullptr;
}

void DestroyFullscreenWindow(NativeWindow) {}

void UnregisterFullscreenWindowClass() {}

}  // namespace refengine
