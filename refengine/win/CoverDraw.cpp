#include "refengine/CoverDraw.h"

#include <algorithm>

namespace refengine {

RECT CoverSquare(const RECT& area) {
  const LONG width = area.right - area.left;
  const LONG height = area.bottom - area.top;
  const LONG side = std::min(width, height) / 2;
  const LONG left = area.left + (width - side) / 2;
  const LONG top = area.top + (height - side) / 2;
  return RECT{left, top, left + side, top + side};
}

void DrawCover(HDC dc, const RECT& area, const CoverImage& cover) {
  if (cover.width <= 0 || cover.height <= 0 ||
      cover.pixels.size() < size_t(cover.width) * size_t(cover.height)) {
    return;
  }
  const RECT square = CoverSquare(area);
  const LONG side = square.right - square.left;
  if (side <= 0) return;
  // Fit the cover's longer side to the square.
  const int longer = std::max(cover.width, cover.height);
  const LONG width = std::max<LONG>(1, LONG(int64_t(side) * cover.width / longer));
  const LONG height = std::max<LONG>(1, LONG(int64_t(side) * cover.height / longer));
  const LONG left = square.left + (side - width) / 2;
  const LONG top = square.top + (side - height) / 2;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = cover.width;
  info.bmiHeader.biHeight = -cover.height;  // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, left, top, width, height, 0, 0, cover.width, cover.height, cover.pixels.data(),
                &info, DIB_RGB_COLORS, SRCCOPY);
  if (oldMode) SetStretchBltMode(dc, oldMode);
}

}  // namespace refengine
