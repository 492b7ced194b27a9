// The player's audio data as the engine's audio ('GetS').
//
// Each data record the player hands in is converted at once: 512 waveform values, the two
// channels' signed samples added (not scaled), and 256 spectrum values, the two channels added
// and scaled by 0.0023. The engine's requests then read the waveform from a read position that
// starts at 0 with every record and moves on by 100 samples per request, back to 0 when the
// next request could run past the end.
#pragma once

#include <cstdint>

#include "vis_Omnihost/realplayer/RealPlayerRecords.h"
#include "visualhost/engine/EngineRecords.h"

namespace realplayer {

constexpr int32_t kWaveformValues = 512;
constexpr int32_t kSpectrumBands = 256;
constexpr int32_t kReadAdvance = 100;
constexpr float kSpectrumScale = 0.0023f;

class AudioFrames {
 public:
  // Takes the record's values (nothing without a record).
  void Convert(const AudioData* data);
  // Fills at most the wanted numbers of values (none without the engine's buffer), writes
  // both delivered counts and moves the read position on; always 0.
  int32_t Fill(AudioRequest* request);

  int32_t ReadPosition() const { return mReadPosition; }

 private:
  float mWaveform[kWaveformValues] = {};
  float mSpectrum[kSpectrumBands] = {};
  int32_t mReadPosition = 0;
};

}  // namespace realplayer
