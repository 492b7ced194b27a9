#include "vis_Omnihost/realplayer/RealPlayerAudio.h"

#include <algorithm>

namespace realplayer {

void AudioFrames::Convert(const AudioData* data) {
  if (data == nullptr) return;
  for (int32_t k = 0; k < kWaveformValues; ++k) {
    mWaveform[k] = static_cast<float>(data->waveform[0][k] + data->waveform[1][k]);
  }
  mReadPosition = 0;
  for (int32_t k = 0; k < kSpectrumBands; ++k) {
    mSpectrum[k] = static_cast<float>(data->spectrum[0][k] + data->spectrum[1][k]) * kSpectrumScale;
  }
}

int32_t AudioFrames::Fill(AudioRequest* request) {
  if (request == nullptr) return NVStatus::kOk;
  const int32_t start = mReadPosition;
  const int32_t wanted = std::max(request->samplesWanted, 0);
  // 64 bits: a huge wanted count must not wrap the comparison.
  mReadPosition =
      int64_t(start) + kReadAdvance + wanted > kWaveformValues ? 0 : start + kReadAdvance;
  const int32_t samples =
      request->samples != nullptr ? std::min(kWaveformValues - start, wanted) : 0;
  if (samples > 0) std::copy(mWaveform + start, mWaveform + start + samples, request->samples);
  const int32_t bands =
      request->bands != nullptr ? std::clamp(request->bandsWanted, 0, kSpectrumBands) : 0;
  if (bands > 0) std::copy(mSpectrum, mSpectrum + bands, request->bands);
  request->samplesDelivered = samples;
  request->bandsDelivered = bands;
  return NVStatus::kOk;
}

}  // namespace realplayer
