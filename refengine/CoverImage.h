// An album cover as the engine keeps it: 32-bit pixels, already reduced to a size the picture
// can use, so that a host's large images cost memory only while they are decoded.
#pragma once

#include <cstdint>
#include <vector>

namespace refengine {

struct CoverImage {
  // Covers larger than this on either side are scaled down (keeping their shape) when taken.
  static constexpr int kMaxSide = 512;

  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // row after row, width each, 0xAARRGGBB (BGRA in memory)
};

}  // namespace refengine
