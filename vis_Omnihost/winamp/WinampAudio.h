// The player's visualization data as the engine's audio ('GetS').
//
// The player hands 576 signed 8-bit waveform samples and 576 unsigned 8-bit spectrum bins per
// channel before each Render. The engine takes at most 512 mono samples and 484 bands.
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"
#include "vis_Omnihost/winamp/WinampRecords.h"

namespace winamp {

constexpr int32_t kMaxSamples = 512;
constexpr int32_t kMaxBands = 484;
constexpr int32_t kSkippedBins = 28;  // the lowest bins carry no music worth showing
constexpr float kSampleScale = 0.0055f;

// Samples: the newest 512 of the 576 (the area is in time order, oldest first), both channels
// averaged into one, each scaled by 0.0055. Bands: the two channels' bins from 28 on, added.
// Fills at most the wanted numbers (none where the engine gave no buffer) and writes both
// delivered counts; always 0.
int32_t FillAudioRequest(const int8_t (&waveform)[2][kBinCount],
                         const uint8_t (&spectrum)[2][kBinCount], AudioRequest* request);

}  // namespace winamp
