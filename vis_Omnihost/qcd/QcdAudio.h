// The player's audio in the module structure as the engine's audio ('GetS').
//
// The player fills 1024 stereo frames of 16-bit samples and float64 spectrum values. The engine
// gets 292 samples spread over the frames (samples 7k and 7k + 1, counted in samples, added and
// scaled by 0.000006) and the spectrum values each used twice, at most 2 × the spectrum size
// the module asked for − 64 of them (176).
#pragma once

#include <cstdint>

#include "vis_Omnihost/qcd/QcdRecords.h"
#include "visualhost/engine/EngineRecords.h"

namespace qcd {

constexpr int32_t kMaxSamples = 292;
constexpr int32_t kSampleStep = 7;
constexpr float kSampleScale = 0.000006f;
constexpr int32_t kBandsBelowTwiceSpectrum = 64;

// Fills at most the wanted numbers of values (none without a module or without the engine's
// buffer) and writes both delivered counts; always 0. A spectrum size the player changed is
// read no further than the room the structure has.
int32_t FillAudioRequest(const Module* module, AudioRequest* request);

}  // namespace qcd
