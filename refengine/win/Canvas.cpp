#include "refengine/Canvas.h"

namespace refengine {

Canvas::~Canvas() {
  Free();
}

void Canvas::Free() {
  if (mDC) {
    SelectObject(mDC, static_cast<HGDIOBJ>(mOldBitmap));
    DeleteDC(mDC);
  }
  if (mBitmap) DeleteObject(static_cast<HBITMAP>(mBitmap));
  mDC = nullptr;
  mBitmap = nullptr;
  mOldBitmap = nullptr;
  mPixels = nullptr;
  mWidth = mHeight = 0;
}

bool Canvas::Resize(int width, int height) {
  if (width == mWidth && height == mHeight && mDC) return true;
  Free();
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, like the pixel buffers hosts give
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  mBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  mDC = CreateCompatibleDC(nullptr);
  if (!mBitmap || !mDC || !bits) {
    if (mDC) DeleteDC(mDC);
    if (mBitmap) DeleteObject(static_cast<HBITMAP>(mBitmap));
    mDC = nullptr;
    mBitmap = nullptr;
    return false;
  }
  mOldBitmap = SelectObject(mDC, static_cast<HBITMAP>(mBitmap));
  mPixels = static_cast<uint32_t*>(bits);
  mWidth = width;
  mHeight = height;
  return true;
}

}  // namespace refengine
