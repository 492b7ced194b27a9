// The effect's audio: conversion of the player's levels and the engine's four-step reading.
#include "NV_WMP/EffectAudio.h"

#include <gtest/gtest.h>

#include <vector>

namespace wmp {
namespace {

// Levels whose every value tells where it came from: waveform L[i] = i % 256, R = 128;
// frequency L[i] = i % 200, R[i] = 1.
TimedLevel KnownLevels() {
  TimedLevel levels = {};
  for (int i = 0; i < kLevelBins; ++i) {
    levels.waveform[0][i] = uint8_t(i % 256);
    levels.waveform[1][i] = 128;
    levels.frequency[0][i] = uint8_t(i % 200);
    levels.frequency[1][i] = 1;
  }
  return levels;
}

struct Buffers {
  std::vector<float> samples = std::vector<float>(1024, -99.0f);
  std::vector<float> bands = std::vector<float>(512, -99.0f);
  AudioRequest request = {};

  AudioRequest* Want(int samplesWanted, int bandsWanted) {
    request = {};
    request.size = sizeof(AudioRequest);
    request.samplesWanted = samplesWanted;
    request.samples = samples.data();
    request.bandsWanted = bandsWanted;
    request.bands = bands.data();
    return &request;
  }
};

TEST(EffectAudioTest, ConvertsEverySecondSampleOfBothChannelsAndSkipsTheLowBins) {
  EffectAudio audio;
  audio.Convert(KnownLevels());
  for (int k : {0, 1, 100, 127, 128, 255, 511}) {
    const int left = (2 * k) % 256;
    EXPECT_FLOAT_EQ(audio.Waveform()[k], float(left + 128 - 256) * 0.0026f) << "sample " << k;
  }
  for (int k : {0, 1, 175, 176, 255}) {
    const int left = (24 + k) % 200;
    EXPECT_FLOAT_EQ(audio.Spectrum()[k], float(left + 1) * 0.2f) << "band " << k;
  }
}

TEST(EffectAudioTest, SilentLevelsGiveZeroes) {
  TimedLevel silence = {};
  for (auto& channel : silence.waveform) std::fill(channel, channel + kLevelBins, uint8_t(128));
  EffectAudio audio;
  audio.Convert(silence);
  for (int k = 0; k < EffectAudio::kWaveformValues; ++k) {
    ASSERT_EQ(audio.Waveform()[k], 0.0f) << "sample " << k;
  }
}

TEST(EffectAudioTest, RequestsAfterADeliveryReadInStepsOf128AndStartOverAfterFour) {
  struct Case {
    int samplesWanted;
    int expectedStart;
    int expectedCount;
    bool pumpAfter;
  };
  // One delivery, then five requests in a row.
  const Case cases[] = {
      {100, 0, 100, true},   {100, 128, 100, false}, {100, 256, 100, false},
      {512, 384, 128, false}, {100, 0, 100, false},
  };
  EffectAudio audio;
  audio.Convert(KnownLevels());
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    Buffers buffers;
    const bool pump = audio.Fill(buffers.Want(c.samplesWanted, 300));
    EXPECT_EQ(buffers.request.samplesDelivered, c.expectedCount) << "request " << i;
    EXPECT_EQ(buffers.request.bandsDelivered, 256) << "request " << i;
    EXPECT_EQ(pump, c.pumpAfter) << "request " << i;
    EXPECT_FLOAT_EQ(buffers.samples[0], audio.Waveform()[c.expectedStart]) << "request " << i;
    EXPECT_FLOAT_EQ(buffers.samples[size_t(c.expectedCount - 1)],
                    audio.Waveform()[c.expectedStart + c.expectedCount - 1])
        << "request " << i;
    EXPECT_EQ(buffers.samples[size_t(c.expectedCount)], -99.0f) << "written past the count";
    EXPECT_EQ(buffers.bands[256], -99.0f) << "written past 256 bands";
  }
}

TEST(EffectAudioTest, OddRequestsWriteNothingTheyShouldNot) {
  EffectAudio audio;
  audio.Convert(KnownLevels());
  Buffers buffers;
  AudioRequest* request = buffers.Want(-5, -1);
  audio.Fill(request);
  EXPECT_EQ(request->samplesDelivered, 0);
  EXPECT_EQ(request->bandsDelivered, 0);
  EXPECT_EQ(buffers.samples[0], -99.0f);

  request = buffers.Want(64, 64);
  request->samples = nullptr;
  request->bands = nullptr;
  audio.Fill(request);
  EXPECT_EQ(request->samplesDelivered, 0);
  EXPECT_EQ(request->bandsDelivered, 0);
  audio.Fill(nullptr);  // no crash
}

TEST(EffectAudioTest, ClearSilencesAndRestartsTheReading) {
  EffectAudio audio;
  audio.Convert(KnownLevels());
  Buffers buffers;
  audio.Fill(buffers.Want(10, 10));
  audio.Clear();
  EXPECT_EQ(audio.FetchCounter(), 0);
  EXPECT_TRUE(audio.Fill(buffers.Want(10, 10))) << "the pump asks again after a clear";
  for (int i = 0; i < 10; ++i) EXPECT_EQ(buffers.samples[size_t(i)], 0.0f);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(buffers.bands[size_t(i)], 0.0f);
}

}  // namespace
}  // namespace wmp
