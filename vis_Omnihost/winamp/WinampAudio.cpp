#include "vis_Omnihost/winamp/WinampAudio.h"

#include <algorithm>

namespace winamp {

namespace {

int32_t CountToDeliver(int32_t wanted, const void* buffer, int32_t most) {
  if (buffer == nullptr) return 0;
  return std::clamp(wanted, 0, most);
}

}  // namespace

int32_t FillAudioRequest(const int8_t (&waveform)[2][kBinCount],
                         const uint8_t (&spectrum)[2][kBinCount], AudioRequest* request) {
  if (request == nullptr) return NVStatus::kOk;
  const int32_t samples = CountToDeliver(request->samplesWanted, request->samples, kMaxSamples);
  constexpr int32_t kFirstSample = kBinCount - kMaxSamples;
  for (int32_t i = 0; i < samples; ++i) {
    const int32_t sum = waveform[0][kFirstSample + i] + waveform[1][kFirstSample + i];
    request->samples[i] = static_cast<float>(sum) * 0.5f * kSampleScale;
  }
  const int32_t bands = CountToDeliver(request->bandsWanted, request->bands, kMaxBands);
  for (int32_t i = 0; i < bands; ++i) {
    request->bands[i] =
        static_cast<float>(spectrum[0][kSkippedBins + i] + spectrum[1][kSkippedBins + i]);
  }
  request->samplesDelivered = samples;
  request->bandsDelivered = bands;
  return NVStatus::kOk;
}

}  // namespace winamp
