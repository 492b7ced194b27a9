#include "vis_Omnihost/xmplay/XmplayBuffer.h"

#include <limits>

namespace xmplay {

namespace {

constexpr int32_t kBytesPerPixel = 4;

bool Usable(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) {
  return pixels != nullptr && width > 0 && height > 0 && pitch >= width &&
         pitch <= std::numeric_limits<int32_t>::max() / kBytesPerPixel;
}

}  // namespace

BufferChange BufferTarget::Take(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) {
  if (!Usable(pixels, width, height, pitch)) return BufferChange::kRefused;
  if (!mRenew && width == mDescriptor.width && height == mDescriptor.height &&
      pixels == mDescriptor.pixels && pitch * kBytesPerPixel == mDescriptor.stride) {
    return BufferChange::kSame;
  }
  mDescriptor = {};
  mDescriptor.format = PixelBufferDesc::kFormat32;
  mDescriptor.stride = pitch * kBytesPerPixel;
  mDescriptor.width = width;
  mDescriptor.height = height;
  mDescriptor.planes = 1;
  mDescriptor.pixels = pixels;
  mRenew = false;
  return BufferChange::kAttach;
}

}  // namespace xmplay
