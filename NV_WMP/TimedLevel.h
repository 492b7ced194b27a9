// TimedLevel: the audio levels the player hands to an effect with every rendering.
//
// Declared here from the player's published definition (MinGW ships no declaration): two
// channels of 1024 frequency bins and of 1024 waveform samples, unsigned bytes with 128 as
// silence for the waveform, then the play state and a time stamp. The player is built with the
// Microsoft compiler, which aligns the 64-bit time stamp to 8 bytes in both widths; GCC's 32-bit
// default would put it at offset 4100, so the alignment is spelled out and checked.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wmp {

constexpr int kLevelChannels = 2;
constexpr int kLevelBins = 1024;

struct TimedLevel {
  uint8_t frequency[kLevelChannels][kLevelBins];
  uint8_t waveform[kLevelChannels][kLevelBins];
  int32_t state;
  alignas(8) int64_t timeStamp;
};

static_assert(offsetof(TimedLevel, frequency) == 0);
static_assert(offsetof(TimedLevel, waveform) == 2048);
static_assert(offsetof(TimedLevel, state) == 4096);
static_assert(offsetof(TimedLevel, timeStamp) == 4104);
static_assert(sizeof(TimedLevel) == 4112);
static_assert(alignof(TimedLevel) == 8);

}  // namespace wmp
