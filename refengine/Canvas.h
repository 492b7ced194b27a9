// An off-screen 32-bit picture that the scene is drawn into before it goes to the target: a
// top-down DIB section on Windows, plain memory natively (where it has no device context).
#pragma once

#include <cstdint>
#include <vector>

#include "refengine/NativeHandles.h"

namespace refengine {

class Canvas {
 public:
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  // Makes the canvas width x height (kept when it already is). False when it cannot be made.
  bool Resize(int width, int height);

  NativeDC dc() const { return mDC; }
  int width() const { return mWidth; }
  int height() const { return mHeight; }
  // Row after row, width pixels each, 0x00RRGGBB.
  const uint32_t* pixels() const { return mPixels; }

 private:
  void Free();

  NativeDC mDC = nullptr;
  void* mBitmap = nullptr;     // HBITMAP
  void* mOldBitmap = nullptr;  // HGDIOBJ
  std::vector<uint32_t> mMemory;  // natively, the pixels
  uint32_t* mPixels = nullptr;
  int mWidth = 0;
  int mHeight = 0;
};

}  // namespace refengine
