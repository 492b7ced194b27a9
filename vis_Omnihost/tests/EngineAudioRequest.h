// An engine's audio request ('GetS') with buffers of its own, for the tests of the players'
// audio conversions: the buffers are larger than asked for and pre-filled with kUntouched, so
// that a test sees where a conversion stopped writing, and the delivered counts start at -1.
#pragma once

#include <cstdint>
#include <vector>

#include "visualhost/engine/EngineRecords.h"

struct EngineAudioRequest {
  static constexpr float kUntouched = -99.0f;

  AudioRequest record = {};
  std::vector<float> samples;
  std::vector<float> bands;

  EngineAudioRequest(int32_t samplesWanted, int32_t bandsWanted, size_t room = 1024)
      : samples(room, kUntouched), bands(room, kUntouched) {
    record.size = sizeof record;
    record.samplesWanted = samplesWanted;
    record.samples = samples.data();
    record.bandsWanted = bandsWanted;
    record.bands = bands.data();
    record.samplesDelivered = -1;
    record.bandsDelivered = -1;
  }
};
