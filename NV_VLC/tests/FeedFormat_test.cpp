// Rates, channel layouts and the ring each feed gets.
#include <gtest/gtest.h>

#include <climits>

#include "NV_VLC/FeedFormat.h"
#include "NV_VLC/SampleRing.h"

namespace {

TEST(FeedFormat, RatesReduceOrRepeatTowards22050) {
  struct Case {
    int32_t rate, channels, lfeSlot;
    int32_t decimation, upsampling, outputRate, usedChannels;
    float scale;
  };
  const Case cases[] = {
      {44100, 2, -1, 2, 1, 22050, 2, 0.25f},
      {48000, 6, 5, 2, 1, 24000, 5, 0.1f},  // 5.1: the mean of 5 channels × 2 frames
      {96000, 2, -1, 4, 1, 24000, 2, 0.125f},
      {32000, 2, -1, 1, 1, 32000, 2, 0.5f},
      {22050, 1, -1, 1, 1, 22050, 1, 1.0f},
      {11025, 2, -1, 1, 2, 22050, 2, 0.5f},
      {8000, 1, -1, 1, 4, 32000, 1, 1.0f},
      {44100, 1, 0, 2, 1, 22050, 1, 0.5f},    // a single channel is never the LFE
      {44100, 2, 2, 2, 1, 22050, 2, 0.25f},   // a slot outside the frame is no LFE
      {44100, 0, -1, 2, 1, 22050, 1, 0.5f},   // no channels count as one
      {0, 2, -1, 1, 1, 0, 2, 0.5f},           // the rates that used to hang construction
      {-44100, 2, -1, 1, 1, 0, 2, 0.5f},
      {INT_MAX, 2, -1, 65536, 1, 32767, 2, 1.0f / 131072},
      {1, 1, -1, 1, 32768, 32768, 1, 1.0f},
  };
  for (const Case& c : cases) {
    const FeedFormat format = MakeFeedFormat(c.rate, c.channels, c.lfeSlot);
    const std::string name = "rate " + std::to_string(c.rate) + " channels " +
                             std::to_string(c.channels) + " lfe " + std::to_string(c.lfeSlot);
    EXPECT_EQ(format.decimation, c.decimation) << name;
    EXPECT_EQ(format.upsampling, c.upsampling) << name;
    EXPECT_EQ(format.outputRate, c.outputRate) << name;
    EXPECT_EQ(format.usedChannels, c.usedChannels) << name;
    EXPECT_FLOAT_EQ(format.scale, c.scale) << name;
  }
}

TEST(FeedFormat, ChannelMaskGivesCountAndLfeSlotInVlcOrder) {
  struct Case {
    uint32_t mask;
    int32_t channels, lfeSlot;
  };
  const Case cases[] = {
      {0x1, 1, -1},                                   // centre only
      {0x2 | 0x4, 2, -1},                             // stereo
      {0x2 | 0x4 | 0x1000, 3, 2},                     // 2.1
      {0x2 | 0x4 | 0x20 | 0x40 | 0x1 | 0x1000, 6, 5},  // 5.1
      {0x2 | 0x4 | 0x100 | 0x200 | 0x20 | 0x40 | 0x1 | 0x1000, 8, 7},  // 7.1
      {0x1000, 1, 0},
      {0, 0, -1},
  };
  for (const Case& c : cases) {
    const ChannelLayout layout = LayoutOfChannelMask(c.mask);
    EXPECT_EQ(layout.channels, c.channels) << std::hex << c.mask;
    EXPECT_EQ(layout.lfeSlot, c.lfeSlot) << std::hex << c.mask;
  }
}

TEST(SampleRing, HoldsTheLeadCeilingPlusHalfASecond) {
  struct Case {
    int32_t rate, shift, ringRate, size;
    float scale;
  };
  const Case cases[] = {
      {22050, 0, 22050, 131072, 0.9f}, {24000, 0, 24000, 131072, 0.9f},
      {32000, 0, 32000, 131072, 0.9f}, {44100, 1, 22050, 131072, 0.45f},
      {0, 1, 22050, 131072, 0.45f},    {88200, 2, 22050, 131072, 0.225f},
      {8000, 0, 8000, 32768, 0.9f},
  };
  for (const Case& c : cases) {
    const SampleRing ring(c.rate);
    EXPECT_EQ(ring.Shift(), c.shift) << c.rate;
    EXPECT_EQ(ring.RingRate(), c.ringRate) << c.rate;
    EXPECT_EQ(ring.Size(), c.size) << c.rate;
    EXPECT_FLOAT_EQ(ring.Scale(), c.scale) << c.rate;
  }
}

}  // namespace
