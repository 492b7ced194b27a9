// What the control makes of the media center's visualization data for the engine: the
// waveform and spectrum bands of one audio request from the sample block, and the track
// record from the data object's texts.
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"

namespace jmc {

// Waveform values delivered at most, and the factor applied to the sum of two signed samples.
constexpr int32_t kMostWaveformValues = 512;
constexpr float kWaveformScale = 0.0024f;
// Spectrum bands delivered at most; band k sums values 28 + 2k and 29 + 2k of both channels.
constexpr int32_t kMostBands = 232;
constexpr int32_t kFirstBandValue = 28;

// Fills the request's waveform and bands from the sample block (kSampleBlockBytes) and sets
// the delivered counts: every second sample of the newest part of the waveform, summed over
// both channels and scaled, and pairs of spectrum values summed over both channels (0 to 1020).
// Negative wanted counts and null buffers deliver nothing.
void FillAudio(const uint8_t* block, AudioRequest* request);

// The texts of one track as the data object gives them (zero-terminated UTF-16 or null).
struct TrackTexts {
  const char16_t* title = nullptr;
  const char16_t* artist = nullptr;
  const char16_t* album = nullptr;
  const char16_t* year = nullptr;
};

// A zeroed track record of kSize: each text that is there sets its mask bit (title 0x20,
// artist 0x40, album 0x80) and is copied up to 255 units, wherever its terminator lies (none
// within 255 units is no error: the copy is cut); the year is read as a decimal number from
// its first 255 units, 0 without a year.
void BuildTrackRecord(const TrackTexts& texts, TrackRecord* record);

}  // namespace jmc
