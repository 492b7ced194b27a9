#include "vis_Omnihost/itunes/ItunesPulseAudio.h"

#include <algorithm>
#include <cstring>

namespace itunes {

namespace {

constexpr float kWaveformScale = 0.0039f;
// The spectrum's first values lie below the range the engine shows.
constexpr int kSpectrumOffset = 24;
constexpr uint32_t kHashStart = 55;
constexpr uint32_t kHashFactor = 6097153;

int32_t Wanted(int32_t wanted, const float* buffer) {
  if (buffer == nullptr || wanted <= 0) return 0;
  return std::min(wanted, PulseAudio::kValues);
}

}  // namespace

void PulseAudio::Convert(const RenderData* data) {
  if (data == nullptr) {
    Clear();
    return;
  }
  // Unsigned arithmetic wraps as the hash is meant to.
  uint32_t hash = kHashStart;
  for (int k = 0; k < kValues; ++k) {
    const int32_t v = int32_t(data->waveform[0][k]) + int32_t(data->waveform[1][k]) - 256;
    mWaveform[k] = float(v) * kWaveformScale;
    hash = hash * kHashFactor + uint32_t(v);
  }
  if (int32_t(hash) == mHash) {
    ++mRepeatCount;
    if (mRepeatCount > kRepeatsKept) {
      Clear();
      return;
    }
  } else {
    mHash = int32_t(hash);
    mRepeatCount = 0;
  }
  for (int k = 0; k < kValues; ++k) {
    mSpectrum[k] = (float(data->spectrum[0][kSpectrumOffset + k]) +
                    float(data->spectrum[1][kSpectrumOffset + k])) *
                   0.5f;
  }
}

void PulseAudio::Clear() {
  std::memset(mWaveform, 0, sizeof mWaveform);
  std::memset(mSpectrum, 0, sizeof mSpectrum);
}

int32_t PulseAudio::Fill(AudioRequest* request) const {
  if (request == nullptr) return NVStatus::kNotHandled;
  const int32_t samples = Wanted(request->samplesWanted, request->samples);
  const int32_t bands = Wanted(request->bandsWanted, request->bands);
  if (samples > 0) std::memcpy(request->samples, mWaveform, sizeof(float) * size_t(samples));
  if (bands > 0) std::memcpy(request->bands, mSpectrum, sizeof(float) * size_t(bands));
  request->samplesDelivered = samples;
  request->bandsDelivered = bands;
  return NVStatus::kOk;
}

}  // namespace itunes
