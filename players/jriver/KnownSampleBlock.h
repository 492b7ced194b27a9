// The sample block the stand-in media center hands out, which the tests of the control's audio
// recompute: waveform sample i is (i % 100) - 50 in the first channel and i % 7 in the second;
// spectrum value i is i % 200 in the first channel and i % 50 in the second. Portable, so that
// the native tests of the conversion read the same block.
#pragma once

#include <cstdint>
#include <vector>

#include "NV_JMC/MediaCenterObjects.h"

namespace jriver_standin {

inline std::vector<uint8_t> KnownSampleBlock() {
  std::vector<uint8_t> block(jmc::kSampleBlockBytes);
  for (int i = 0; i < jmc::kWaveformSamples; ++i) {
    block[jmc::kFirstWaveform + i] = uint8_t(int8_t(i % 100 - 50));
    block[jmc::kSecondWaveform + i] = uint8_t(i % 7);
  }
  for (int i = 0; i < jmc::kSpectrumValues; ++i) {
    block[jmc::kFirstSpectrum + i] = uint8_t(i % 200);
    block[jmc::kSecondSpectrum + i] = uint8_t(i % 50);
  }
  return block;
}

}  // namespace jriver_standin
