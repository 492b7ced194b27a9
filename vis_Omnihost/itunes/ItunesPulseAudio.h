// The audio of iTunes' pulses as the engine asks for it: a mono waveform and a summed
// spectrum of 256 values each, converted from the pulse's two channels of unsigned bytes.
//
// iTunes keeps sending the last pulse over and over when playback stalls. Each waveform is
// hashed; the first three pulses with one hash keep their audio, later ones give silence until
// the waveform changes, so that the picture does not freeze on a stuck buffer.
#pragma once

#include <cstdint>

#include "vis_Omnihost/itunes/ItunesRecords.h"
#include "visualhost/engine/EngineRecords.h"

namespace itunes {

class PulseAudio {
 public:
  static constexpr int kValues = 256;
  // A hash seen this many times in a row still counts as audio; one more gives silence.
  static constexpr int32_t kRepeatsKept = 2;

  // Converts the pulse's audio; a pulse without data is silence.
  void Convert(const RenderData* data);
  // Waveform and spectrum all 0; the hash and its repeat count stay.
  void Clear();
  // Copies as many values as the engine wants, at most kValues of each; 0, or 55012 for a
  // request that cannot be filled.
  int32_t Fill(AudioRequest* request) const;

  const float* Waveform() const { return mWaveform; }
  const float* Spectrum() const { return mSpectrum; }
  int32_t RepeatCount() const { return mRepeatCount; }

 private:
  float mWaveform[kValues] = {};
  float mSpectrum[kValues] = {};
  int32_t mHash = 0;
  int32_t mRepeatCount = 0;
};

}  // namespace itunes
