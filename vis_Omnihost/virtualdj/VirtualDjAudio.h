// The engine's audio requests ('GetS') of the VirtualDJ host: the newest samples of the history
// and spectrum bands computed from all of it by the audio analysis, with the host's own band
// layout.
#pragma once

#include <cstdint>

#include "vis_Omnihost/virtualdj/SampleHistory.h"
#include "visualhost/audio/SpectrumAnalyzer.h"
#include "visualhost/engine/EngineRecords.h"

namespace virtualdj {

// The rate the held samples are analysed at, and the host's band layout.
constexpr int32_t kAnalysisRate = 22050;
constexpr SpectrumParams kSpectrumParams = {120.0f, 8000.0f, 8.0f, 0.02f, 0.07f, 0};

class VirtualDjAudio {
 public:
  VirtualDjAudio() { mAnalyzer.SetHalvingThreshold(16); }

  SampleHistory& History() { return mHistory; }
  const SampleHistory& History() const { return mHistory; }

  // Fills the request: at most samplesWanted of the newest samples, oldest first, and
  // bandsWanted bands (none where the request has no buffer for them). 0, or 55012 without a
  // request. Called on the drawing thread only.
  int32_t Fill(AudioRequest* request);

 private:
  SampleHistory mHistory;
  SpectrumAnalyzer mAnalyzer;
  float mHeld[SampleHistory::kCapacity] = {};  // the drawing thread's copy of the history
};

}  // namespace virtualdj
