// The album cover in the picture: a square in the middle of the drawing area, the cover scaled
// into it with its shape kept.
#pragma once

#include <windows.h>

#include "refengine/CoverImage.h"

namespace refengine {

// The square the cover goes into: half the shorter side of the area, centred.
RECT CoverSquare(const RECT& area);

void DrawCover(HDC dc, const RECT& area, const CoverImage& cover);

}  // namespace refengine
