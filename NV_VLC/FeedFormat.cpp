#include "NV_VLC/FeedFormat.h"

#include <bit>

namespace {

constexpr int64_t kHalfRate = 22050;
constexpr int64_t kFullRate = 44100;

// The smallest power of two, at least 2, with rate / (2·D) below 22050.
int32_t DecimationFor(int64_t rate) {
  int64_t d = 2;
  while (rate / (2 * d) >= kHalfRate) d *= 2;
  return static_cast<int32_t>(d);
}

// The smallest power of two, at least 2, with U·rate at least 22050 (rate is at least 1).
int32_t UpsamplingFor(int64_t rate) {
  int64_t u = 2;
  while (u * rate < kHalfRate) u *= 2;
  return static_cast<int32_t>(u);
}

// VLC's channel bits in the order its interleaved frames carry them.
constexpr uint32_t kInterleaveOrder[] = {0x2, 0x4, 0x100, 0x200, 0x20, 0x40, 0x10, 0x1, 0x1000};
constexpr uint32_t kLfeBit = 0x1000;

}  // namespace

FeedFormat MakeFeedFormat(int32_t rate, int32_t channels, int32_t lfeSlot) {
  FeedFormat format;
  format.channels = channels > 1 ? channels : 1;
  const bool hasLfe = format.channels != 1 && lfeSlot >= 0 && lfeSlot < format.channels;
  format.lfeSlot = hasLfe ? lfeSlot : -1;
  format.usedChannels = format.channels - (hasLfe ? 1 : 0);
  if (rate >= kFullRate) {
    format.decimation = DecimationFor(rate);
  } else if (rate >= 1 && rate < kHalfRate) {
    format.upsampling = UpsamplingFor(rate);
  }
  if (rate >= 1) {
    format.outputRate = static_cast<int32_t>(static_cast<int64_t>(rate) * format.upsampling /
                                             format.decimation);
  }
  format.scale = 1.0f / static_cast<float>(format.usedChannels * format.decimation);
  return format;
}

ChannelLayout LayoutOfChannelMask(uint32_t physicalChannels) {
  ChannelLayout layout;
  layout.channels = std::popcount(physicalChannels);
  if ((physicalChannels & kLfeBit) == 0) return layout;
  int32_t slot = 0;
  for (uint32_t bit : kInterleaveOrder) {
    if (bit == kLfeBit) break;
    if ((physicalChannels & bit) != 0) ++slot;
  }
  layout.lfeSlot = slot;
  return layout;
}
