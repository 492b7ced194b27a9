// How a feed turns VLC's interleaved float frames into one mono stream at a reduced rate.
//
// Every frame is summed over its channels, the low-frequency channel left out; groups of
// `decimation` summed frames become one output sample, which is written `upsampling` times.
// Rates of 44100 Hz and up are halved until they fall below 44100 (so 48 kHz gives 24 kHz),
// rates below 22050 Hz are repeated until they reach it, and the output sample is the mean
// of the values that went into it.
#pragma once

#include <cstdint>

struct FeedFormat {
  int32_t channels = 1;      // frame width in samples, at least 1
  int32_t lfeSlot = -1;      // index of the low-frequency channel in a frame, or -1
  int32_t usedChannels = 1;  // channels that are summed
  int32_t decimation = 1;    // frames summed into one output sample, a power of two
  int32_t upsampling = 1;    // copies written of each output sample, a power of two
  int32_t outputRate = 0;    // Hz; 0 when the input rate is not positive
  float scale = 1.0f;        // 1 / (usedChannels × decimation)
};

// For any rate, channel count and slot (nonsense included), with no loop that depends on
// the rate being positive: a rate below 1 gives decimation and upsampling 1 and output rate 0.
FeedFormat MakeFeedFormat(int32_t rate, int32_t channels, int32_t lfeSlot);

// VLC's physical channel mask: the number of channels, and the slot of the low-frequency
// channel in VLC's interleaving order (-1 when there is none).
struct ChannelLayout {
  int32_t channels = 0;
  int32_t lfeSlot = -1;
};
ChannelLayout LayoutOfChannelMask(uint32_t physicalChannels);
