// The native canvas: plain memory, without a device context.
#include "refengine/Canvas.h"

#include <cstddef>

namespace refengine {

Canvas::~Canvas() {
  Free();
}

void Canvas::Free() {
  mMemory.clear();
  mMemory.shrink_to_fit();
  mPixels = nullptr;
  mWidth = mHeight = 0;
}

bool Canvas::Resize(int width, int height) {
  if (width == mWidth && height == mHeight && mPixels) return true;
  Free();
  if (width <= 0 || height <= 0) return false;
  mMemory.assign(std::size_t(width) * std::size_t(height), 0);
  mPixels = mMemory.data();
  mWidth = width;
  mHeight = height;
  return true;
}

}  // namespace refengine
