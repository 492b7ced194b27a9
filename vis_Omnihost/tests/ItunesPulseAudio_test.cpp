#include "vis_Omnihost/itunes/ItunesPulseAudio.h"

#include <gtest/gtest.h>

#include <memory>

#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using itunes::PulseAudio;
using itunes::RenderData;

// A pulse whose every value tells where it came from; `seed` changes the waveform.
std::unique_ptr<RenderData> Pulse(int seed) {
  auto data = std::make_unique<RenderData>();
  data->waveformChannels = 2;
  data->spectrumChannels = 2;
  for (int i = 0; i < itunes::kPulseValues; ++i) {
    data->waveform[0][i] = uint8_t((i * 3 + seed) % 256);
    data->waveform[1][i] = uint8_t(255 - i % 200);
    data->spectrum[0][i] = uint8_t(i % 256);
    data->spectrum[1][i] = uint8_t((i * 7) % 256);
  }
  return data;
}

void ExpectConverted(const PulseAudio& audio, const RenderData& data, const char* what) {
  for (int k = 0; k < PulseAudio::kValues; ++k) {
    const int v = data.waveform[0][k] + data.waveform[1][k] - 256;
    ASSERT_FLOAT_EQ(audio.Waveform()[k], float(v) * 0.0039f) << what << ", sample " << k;
    const float band = (float(data.spectrum[0][24 + k]) + float(data.spectrum[1][24 + k])) * 0.5f;
    ASSERT_FLOAT_EQ(audio.Spectrum()[k], band) << what << ", band " << k;
  }
}

void ExpectSilent(const PulseAudio& audio, const char* what) {
  for (int k = 0; k < PulseAudio::kValues; ++k) {
    ASSERT_EQ(audio.Waveform()[k], 0.0f) << what << ", sample " << k;
    ASSERT_EQ(audio.Spectrum()[k], 0.0f) << what << ", band " << k;
  }
}

TEST(ItunesPulseAudio, MixesTheChannelsAndReadsTheSpectrumFromValue24) {
  const auto data = Pulse(0);
  PulseAudio audio;
  audio.Convert(data.get());
  ExpectConverted(audio, *data, "first pulse");
  // 128 in both channels is silence; the extremes keep their sign.
  RenderData edges = *data;
  edges.waveform[0][0] = 128, edges.waveform[1][0] = 128;
  edges.waveform[0][1] = 0, edges.waveform[1][1] = 0;
  edges.waveform[0][2] = 255, edges.waveform[1][2] = 255;
  audio.Convert(&edges);
  EXPECT_EQ(audio.Waveform()[0], 0.0f);
  EXPECT_FLOAT_EQ(audio.Waveform()[1], -256 * 0.0039f);
  EXPECT_FLOAT_EQ(audio.Waveform()[2], 254 * 0.0039f);
}

// The stuck-buffer rule, pulse by pulse: the same waveform three times is audio, the fourth
// and later are silence, a new waveform is audio again and starts its own count. A spectrum
// change alone does not count as new data.
TEST(ItunesPulseAudio, TheFourthPulseWithOneWaveformIsSilence) {
  const auto first = Pulse(1);
  const auto second = Pulse(2);
  auto sameWaveOtherSpectrum = Pulse(1);
  sameWaveOtherSpectrum->spectrum[0][30] = 1;
  struct Step {
    const RenderData* pulse;
    bool audible;
    int32_t repeats;
  } steps[] = {
      {first.get(), true, 0},  {first.get(), true, 1},  {first.get(), true, 2},
      {first.get(), false, 3}, {sameWaveOtherSpectrum.get(), false, 4},
      {second.get(), true, 0}, {first.get(), true, 0},  {nullptr, false, 0},
      {first.get(), true, 1},
  };
  PulseAudio audio;
  for (size_t i = 0; i < std::size(steps); ++i) {
    const std::string what = "pulse " + std::to_string(i);
    audio.Convert(steps[i].pulse);
    EXPECT_EQ(audio.RepeatCount(), steps[i].repeats) << what;
    if (steps[i].audible) {
      ExpectConverted(audio, *steps[i].pulse, what.c_str());
    } else {
      ExpectSilent(audio, what.c_str());
    }
  }
}

TEST(ItunesPulseAudio, FillsNoMoreThanWantedOrHeld) {
  const auto data = Pulse(3);
  PulseAudio audio;
  audio.Convert(data.get());
  struct Case {
    const char* name;
    AudioWanted wanted;
  } cases[] = {
      {"fewer wanted", {100, 10, true, true, 100, 10}},
      {"more wanted", {512, 600, true, true, 256, 256}},
      {"none wanted", {0, 0, true, true, 0, 0}},
      {"negative wanted", {-3, -1, true, true, 0, 0}},
      {"no sample buffer", {512, 64, false, true, 0, 64}},
      {"no band buffer", {512, 64, true, false, 256, 0}},
  };
  for (const Case& c : cases) {
    EngineAudioRequest request(c.wanted);
    ASSERT_EQ(audio.Fill(&request.record), 0) << c.name;
    ExpectDelivered(request, c.wanted, c.name);
    for (int k = 0; k < c.wanted.samples; ++k) {
      ASSERT_EQ(request.samples[k], audio.Waveform()[k]) << c.name;
    }
    for (int k = 0; k < c.wanted.bands; ++k)
      ASSERT_EQ(request.bands[k], audio.Spectrum()[k]) << c.name;
  }
  EXPECT_NE(audio.Fill(nullptr), 0);
}

}  // namespace
