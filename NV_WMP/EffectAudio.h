// EffectAudio: the audio an effect holds between the player's deliveries and the engine's
// requests for it.
//
// Every rendering of a playing player converts its levels into a mono waveform of 512 values
// (every second sample, both channels summed, silence 0) and a summed spectrum of 256 bands
// (bins 24 to 279). The engine then reads with 'GetS'; as it usually asks for fewer samples
// than a delivery holds, successive requests read from sample 0, 128, 256 and 384 of the same
// delivery, starting again at 0 after the fourth. Fixed-size copies, no allocation.
#pragma once

#include <cstdint>

#include "NV_WMP/TimedLevel.h"
#include "visualhost/engine/EngineRecords.h"

namespace wmp {

class EffectAudio {
 public:
  static constexpr int kWaveformValues = 512;
  static constexpr int kSpectrumBands = 256;
  static constexpr int kSkippedBins = 24;
  static constexpr int kReadStep = 128;
  // The pump keeps asking for frames until this many requests followed a delivery.
  static constexpr int kRequestsPerDelivery = 2;

  EffectAudio() { Clear(); }

  // A delivery from a playing player.
  void Convert(const TimedLevel& levels);
  // Silence: a paused or stopped player, a seek, a new attach.
  void Clear();
  // Answers the engine's request: copies at most the wanted numbers of values and writes the
  // delivered counts. Returns whether the pump should keep asking for frames.
  bool Fill(AudioRequest* request);

  const float* Waveform() const { return mWaveform; }
  const float* Spectrum() const { return mSpectrum; }
  int32_t FetchCounter() const { return mFetchCounter; }

 private:
  float mWaveform[kWaveformValues];
  float mSpectrum[kSpectrumBands];
  int32_t mFetchCounter = 0;
};

}  // namespace wmp
