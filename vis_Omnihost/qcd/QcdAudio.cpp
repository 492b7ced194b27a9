#include "vis_Omnihost/qcd/QcdAudio.h"

#include <algorithm>

namespace qcd {

namespace {

int32_t BandLimit(const Module& module) {
  const int32_t spectrumSize = std::clamp(module.spectrumSize, 0, kSpectrumWanted);
  return std::max(2 * spectrumSize - kBandsBelowTwiceSpectrum, 0);
}

}  // namespace

int32_t FillAudioRequest(const Module* module, AudioRequest* request) {
  if (request == nullptr) return NVStatus::kOk;
  const bool haveSamples = module != nullptr && request->samples != nullptr;
  const int32_t samples = haveSamples ? std::clamp(request->samplesWanted, 0, kMaxSamples) : 0;
  for (int32_t k = 0; k < samples; ++k) {
    const int32_t sum = module->samples[kSampleStep * k] + module->samples[kSampleStep * k + 1];
    request->samples[k] = static_cast<float>(sum) * kSampleScale;
  }
  const bool haveBands = module != nullptr && request->bands != nullptr;
  const int32_t bands = haveBands ? std::clamp(request->bandsWanted, 0, BandLimit(*module)) : 0;
  for (int32_t j = 0; j < bands; ++j) {
    request->bands[j] = static_cast<float>(module->spectrum[j / 2]);
  }
  request->samplesDelivered = samples;
  request->bandsDelivered = bands;
  return NVStatus::kOk;
}

}  // namespace qcd
