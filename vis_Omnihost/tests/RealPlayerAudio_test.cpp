#include "vis_Omnihost/realplayer/RealPlayerAudio.h"

#include <gtest/gtest.h>

#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using realplayer::AudioData;
using realplayer::AudioFrames;

// Every value tells where it came from; the extremes of both kinds are in it.
AudioData Pattern() {
  AudioData data = {};
  for (int k = 0; k < realplayer::kWaveformSamples; ++k) {
    data.waveform[0][k] = int8_t(k % 256 - 128);
    data.waveform[1][k] = int8_t(k % 3 == 0 ? -128 : k % 100);
  }
  for (int k = 0; k < realplayer::kSpectrumValues; ++k) {
    data.spectrum[0][k] = uint8_t(k);
    data.spectrum[1][k] = uint8_t(255 - k / 3);
  }
  return data;
}

TEST(RealPlayerAudio, AddsTheChannelsAndScalesOnlyTheSpectrum) {
  const AudioData data = Pattern();
  AudioFrames frames;
  frames.Convert(&data);
  EngineAudioRequest request(512, 256);
  ASSERT_EQ(frames.Fill(&request.record), 0);
  EXPECT_EQ(request.record.samplesDelivered, 512);
  EXPECT_EQ(request.record.bandsDelivered, 256);
  for (int k = 0; k < 512; ++k) {
    ASSERT_FLOAT_EQ(request.samples[k], float(data.waveform[0][k] + data.waveform[1][k])) << k;
  }
  for (int k = 0; k < 256; ++k) {
    const float expected = float(data.spectrum[0][k] + data.spectrum[1][k]) * 0.0023f;
    ASSERT_FLOAT_EQ(request.bands[k], expected) << k;
  }
  EXPECT_FLOAT_EQ(request.samples[0], -256.0f);
  EXPECT_EQ(request.samples[512], EngineAudioRequest::kUntouched);
  EXPECT_EQ(request.bands[256], EngineAudioRequest::kUntouched);
}

// Requests of 300 samples read from 0, 100 and 200, then start again at 0; a new record also
// starts again at 0.
TEST(RealPlayerAudio, TheReadPositionAdvancesBy100AndWrapsBeforeRunningPastTheEnd) {
  const AudioData data = Pattern();
  AudioFrames frames;
  frames.Convert(&data);
  struct Expected {
    int32_t start, delivered, positionAfter;
  } expected[] = {{0, 300, 100}, {100, 300, 200}, {200, 300, 0}, {0, 300, 100}};
  for (const Expected& e : expected) {
    EngineAudioRequest request(300, 0);
    frames.Fill(&request.record);
    EXPECT_EQ(request.record.samplesDelivered, e.delivered) << e.start;
    EXPECT_FLOAT_EQ(request.samples[0],
                    float(data.waveform[0][e.start] + data.waveform[1][e.start]))
        << e.start;
    EXPECT_EQ(frames.ReadPosition(), e.positionAfter) << e.start;
  }
  frames.Convert(&data);
  EXPECT_EQ(frames.ReadPosition(), 0);
}

TEST(RealPlayerAudio, DeliversNoMoreThanWantedPossibleOrGiven) {
  const AudioData data = Pattern();
  struct Case {
    const char* name;
    AudioWanted wanted;
  } cases[] = {
      {"fewer wanted", {100, 10, true, true, 100, 10}},
      {"more wanted", {900, 900, true, true, 512, 256}},
      {"none wanted", {0, 0, true, true, 0, 0}},
      {"negative wanted", {-4, -4, true, true, 0, 0}},
      {"huge wanted", {0x7FFFFFFF, 0x7FFFFFFF, true, true, 512, 256}},
      {"no sample buffer", {512, 64, false, true, 0, 64}},
      {"no band buffer", {512, 64, true, false, 512, 0}},
  };
  for (const Case& c : cases) {
    AudioFrames frames;
    frames.Convert(&data);
    EngineAudioRequest request(c.wanted);
    EXPECT_EQ(frames.Fill(&request.record), 0) << c.name;
    ExpectDelivered(request, c.wanted, c.name);
  }
  AudioFrames frames;
  frames.Convert(nullptr);  // no record: nothing changes
  EngineAudioRequest request(10, 10);
  frames.Fill(&request.record);
  EXPECT_EQ(request.samples[0], 0.0f);
  EXPECT_EQ(frames.Fill(nullptr), 0);
}

}  // namespace
