// An off-screen 32-bit picture (a top-down DIB section) that the scene is drawn into before it
// goes to the target.
#pragma once

#include <windows.h>

#include <cstdint>

namespace refengine {

class Canvas {
 public:
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  // Makes the canvas width x height (kept when it already is). False when it cannot be made.
  bool Resize(int width, int height);

  HDC dc() const { return mDC; }
  int width() const { return mWidth; }
  int height() const { return mHeight; }
  // Row after row, width pixels each, 0x00RRGGBB.
  const uint32_t* pixels() const { return mPixels; }

 private:
  void Free();

  HDC mDC = nullptr;
  HBITMAP mBitmap = nullptr;
  HGDIOBJ mOldBitmap = nullptr;
  uint32_t* mPixels = nullptr;
  int mWidth = 0;
  int mHeight = 0;
};

}  // namespace refengine
