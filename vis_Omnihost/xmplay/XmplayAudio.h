// The player's visualization data as the engine's audio ('GetS').
//
// The player hands two channels of 512 signed 8-bit samples and two of 256 unsigned spectrum
// values before each render. The engine gets every second sample of the first channel (256 at
// most, scaled by 0.006) and the two spectrum channels added from value 64 on (192 at most,
// not scaled).
#pragma once

#include <cstdint>

#include "vis_Omnihost/xmplay/XmplayRecords.h"
#include "visualhost/engine/EngineRecords.h"

namespace xmplay {

constexpr int32_t kMaxSamples = 256;
constexpr int32_t kMaxBands = 192;
constexpr int32_t kSkippedValues = 64;  // the lowest spectrum values are left out
constexpr float kSampleScale = 0.006f;

// Where the current frame's data lies inside the player's data record; null before the first
// render or when the player gave no record.
struct AudioChannels {
  const int8_t* waveform = nullptr;        // first waveform channel
  const uint8_t* spectrumFirst = nullptr;  // the two spectrum channels
  const uint8_t* spectrumSecond = nullptr;
};

// The channels of a data record (all null for a null record).
AudioChannels ChannelsOf(const VisData* data);

// Fills at most the wanted numbers of values (none without data or without the engine's
// buffer) and writes both delivered counts; always 0.
int32_t FillAudioRequest(const AudioChannels& channels, AudioRequest* request);

}  // namespace xmplay
