// An engine's audio request ('GetS') with buffers of its own, for the tests of the players'
// audio conversions: the buffers are larger than asked for and pre-filled with kUntouched, so
// that a test sees where a conversion stopped writing, and the delivered counts start at -1.
// The tables of the conversions' limits describe each case as an AudioWanted.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "visualhost/engine/EngineRecords.h"

// What the engine asks for in one case, and what it must be given.
struct AudioWanted {
  int32_t samplesWanted, bandsWanted;
  bool samplesBuffer, bandsBuffer;  // false: the engine gives no buffer for them
  int32_t samples, bands;           // what must be delivered
};

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
  // The request of a case: its buffers, or null where the case gives none.
  explicit EngineAudioRequest(const AudioWanted& wanted)
      : EngineAudioRequest(wanted.samplesWanted, wanted.bandsWanted) {
    if (!wanted.samplesBuffer) record.samples = nullptr;
    if (!wanted.bandsBuffer) record.bands = nullptr;
  }
  // The record points into the buffers: a copy would point into the original's.
  EngineAudioRequest(const EngineAudioRequest&) = delete;
  EngineAudioRequest& operator=(const EngineAudioRequest&) = delete;
};

// The case's counts were delivered and nothing was written past them; `what` names the case.
inline void ExpectDelivered(const EngineAudioRequest& request, const AudioWanted& wanted,
                            const std::string& what) {
  EXPECT_EQ(request.record.samplesDelivered, wanted.samples) << what;
  EXPECT_EQ(request.record.bandsDelivered, wanted.bands) << what;
  EXPECT_EQ(request.samples[size_t(wanted.samples)], EngineAudioRequest::kUntouched) << what;
  EXPECT_EQ(request.bands[size_t(wanted.bands)], EngineAudioRequest::kUntouched) << what;
}
