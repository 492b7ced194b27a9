#include "vis_Omnihost/xmplay/XmplayAudio.h"

#include <algorithm>

namespace xmplay {

AudioChannels ChannelsOf(const VisData* data) {
  if (data == nullptr) return {};
  return {data->waveform[0], data->spectrum[0], data->spectrum[1]};
}

int32_t FillAudioRequest(const AudioChannels& channels, AudioRequest* request) {
  if (request == nullptr) return NVStatus::kOk;
  const bool haveSamples = channels.waveform != nullptr && request->samples != nullptr;
  const int32_t samples = haveSamples ? std::clamp(request->samplesWanted, 0, kMaxSamples) : 0;
  for (int32_t k = 0; k < samples; ++k) {
    request->samples[k] = static_cast<float>(channels.waveform[2 * k]) * kSampleScale;
  }
  const bool haveBands = channels.spectrumFirst != nullptr && channels.spectrumSecond != nullptr &&
                         request->bands != nullptr;
  const int32_t bands = haveBands ? std::clamp(request->bandsWanted, 0, kMaxBands) : 0;
  for (int32_t j = 0; j < bands; ++j) {
    request->bands[j] = static_cast<float>(channels.spectrumFirst[kSkippedValues + j] +
                                           channels.spectrumSecond[kSkippedValues + j]);
  }
  request->samplesDelivered = samples;
  request->bandsDelivered = bands;
  return NVStatus::kOk;
}

}  // namespace xmplay
