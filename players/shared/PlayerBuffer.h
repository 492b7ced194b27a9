// A stand-in player's own pixel buffer: rows of `pitch` 32-bit pixels followed by guard rows,
// so that the player can tell what a render changed inside the picture and whether anything
// was written outside it. Before each render the player fills it all with kFillPixel, a value
// no engine draws (its pixels are opaque).
#pragma once

#include <cstdint>
#include <vector>

namespace standin {

constexpr uint32_t kFillPixel = 0x00FF00FF;  // transparent magenta
constexpr int kGuardRows = 4;

class PlayerBuffer {
 public:
  // Sizes below 1 become 1, a pitch below the width becomes the width.
  PlayerBuffer(int32_t width, int32_t height, int32_t pitch);

  int32_t Width() const { return mWidth; }
  int32_t Height() const { return mHeight; }
  int32_t Pitch() const { return mPitch; }
  uint32_t* Pixels() { return mPixels.data(); }
  const uint32_t* Pixels() const { return mPixels.data(); }

  // Every pixel, guard rows included, becomes kFillPixel.
  void Fill();
  // Pixels of the width by height area that are no longer the fill.
  int64_t ChangedInside() const;
  // Pixels outside that area (row tails, guard rows) that are no longer the fill.
  int64_t ChangedOutside() const;
  // The pixel at (x, y), clamped into the area, as 0xRRGGBB.
  uint32_t Colour(int32_t x, int32_t y) const;

 private:
  int32_t mWidth;
  int32_t mHeight;
  int32_t mPitch;
  std::vector<uint32_t> mPixels;
};

}  // namespace standin
