#include "players/shared/PlayerBuffer.h"

#include <algorithm>

namespace standin {

PlayerBuffer::PlayerBuffer(int32_t width, int32_t height, int32_t pitch)
    : mWidth(std::max(width, 1)),
      mHeight(std::max(height, 1)),
      mPitch(std::max(pitch, mWidth)),
      mPixels(size_t(mPitch) * size_t(mHeight + kGuardRows)) {
  Fill();
}

void PlayerBuffer::Fill() {
  std::fill(mPixels.begin(), mPixels.end(), kFillPixel);
}

int64_t PlayerBuffer::ChangedInside() const {
  int64_t changed = 0;
  for (int32_t y = 0; y < mHeight; ++y) {
    const uint32_t* row = mPixels.data() + size_t(y) * size_t(mPitch);
    changed += std::count_if(row, row + mWidth, [](uint32_t p) { return p != kFillPixel; });
  }
  return changed;
}

int64_t PlayerBuffer::ChangedOutside() const {
  const int64_t all =
      std::count_if(mPixels.begin(), mPixels.end(), [](uint32_t p) { return p != kFillPixel; });
  return all - ChangedInside();
}

uint32_t PlayerBuffer::Colour(int32_t x, int32_t y) const {
  x = std::clamp(x, 0, mWidth - 1);
  y = std::clamp(y, 0, mHeight - 1);
  return mPixels[size_t(y) * size_t(mPitch) + size_t(x)] & 0xFFFFFFu;
}

}  // namespace standin
