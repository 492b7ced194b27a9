// What the player puts in the module's spectrum and waveform areas before each Render, by the
// setup's audio choice:
//   tones    waveform: channel 0 a 2 kHz sine of amplitude 100, channel 1 a 5 kHz sine of
//            amplitude 50, both at 44100 Hz and continuing from call to call; spectrum: the
//            bins of those tones (about 38.3 Hz each) at 200 and 120, their neighbours at half
//   silence  every value 0
//   pattern  waveform[c][i] = (i + 64c) mod 256 - 128, spectrum[c][i] = (i + 100c) mod 256,
//            the same on every call
#pragma once

#include <cstdint>

#include "players/winamp/StandInOptions.h"
#include "vis_Omnihost/winamp/WinampRecords.h"

namespace winamp_standin {

// elapsedSamples: samples played before this block (moves the tones on).
void FillAudio(AudioKind kind, uint64_t elapsedSamples, winamp::VisModule* module);

}  // namespace winamp_standin
