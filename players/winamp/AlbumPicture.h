// The one album picture the stand-in player knows: a small gradient whose every pixel a test
// can compute, handed out as pixels (album-art service) or as a bitmap (message 9995).
#pragma once

#include <windows.h>

#include <cstdint>

namespace winamp_standin {

constexpr int32_t kPictureWidth = 48;
constexpr int32_t kPictureHeight = 32;

// The pixel at (x, y), 32-bit ARGB, opaque.
constexpr uint32_t PicturePixel(int32_t x, int32_t y) {
  return 0xFF000000u | uint32_t(x * 5) << 16 | uint32_t(y * 7) << 8 | 0x80u;
}

// Fills kPictureWidth * kPictureHeight pixels, row by row from the top.
void FillPicture(uint32_t* pixels);
// A new device-independent bitmap of the picture (top-down, 32 bits per pixel); null when the
// system refused one. The receiver deletes it.
HBITMAP NewPictureBitmap();

}  // namespace winamp_standin
