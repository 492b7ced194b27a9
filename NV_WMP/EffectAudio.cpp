#include "NV_WMP/EffectAudio.h"

#include <algorithm>

namespace wmp {

namespace {
constexpr float kWaveformScale = 0.0026f;
// 128 is silence in each channel, so silence gives 0. (Subtracting 254 would leave every
// silent delivery 0.0052 above zero.)
constexpr int kTwoSilences = 256;
constexpr float kSpectrumScale = 0.2f;
}  // namespace

void EffectAudio::Convert(const TimedLevel& levels) {
  for (int k = 0; k < kWaveformValues; ++k) {
    const int sum = int(levels.waveform[0][2 * k]) + int(levels.waveform[1][2 * k]);
    mWaveform[k] = float(sum - kTwoSilences) * kWaveformScale;
  }
  for (int k = 0; k < kSpectrumBands; ++k) {
    const int sum = int(levels.frequency[0][kSkippedBins + k]) +
                    int(levels.frequency[1][kSkippedBins + k]);
    mSpectrum[k] = float(sum) * kSpectrumScale;
  }
  mFetchCounter = 0;
}

void EffectAudio::Clear() {
  std::fill(mWaveform, mWaveform + kWaveformValues, 0.0f);
  std::fill(mSpectrum, mSpectrum + kSpectrumBands, 0.0f);
  mFetchCounter = 0;
}

bool EffectAudio::Fill(AudioRequest* request) {
  if (request == nullptr) return mFetchCounter < kRequestsPerDelivery;
  const int start = (mFetchCounter % 4) * kReadStep;
  const int samples = std::clamp(request->samplesWanted, 0, kWaveformValues - start);
  if (request->samples != nullptr) {
    std::copy(mWaveform + start, mWaveform + start + samples, request->samples);
    request->samplesDelivered = samples;
  } else {
    request->samplesDelivered = 0;
  }
  const int bands = std::clamp(request->bandsWanted, 0, kSpectrumBands);
  if (request->bands != nullptr) {
    std::copy(mSpectrum, mSpectrum + bands, request->bands);
    request->bandsDelivered = bands;
  } else {
    request->bandsDelivered = 0;
  }
  ++mFetchCounter;
  return mFetchCounter < kRequestsPerDelivery;
}

}  // namespace wmp
