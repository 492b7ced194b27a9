#include "players/winamp/AlbumPicture.h"

namespace winamp_standin {

void FillPicture(uint32_t* pixels) {
  for (int32_t y = 0; y < kPictureHeight; ++y) {
    for (int32_t x = 0; x < kPictureWidth; ++x) pixels[y * kPictureWidth + x] = PicturePixel(x, y);
  }
}

HBITMAP NewPictureBitmap() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kPictureWidth;
  info.bmiHeader.biHeight = -kPictureHeight;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) FillPicture(static_cast<uint32_t*>(bits));
  return bitmap;
}

}  // namespace winamp_standin
