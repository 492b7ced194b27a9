#include "vis_Omnihost/winamp/WinampAudio.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using winamp::kBinCount;

struct PlayerData {
  int8_t waveform[2][kBinCount] = {};
  uint8_t spectrum[2][kBinCount] = {};
};

// Every sample and bin tells where it came from.
PlayerData Pattern() {
  PlayerData data;
  for (int i = 0; i < kBinCount; ++i) {
    data.waveform[0][i] = static_cast<int8_t>(i % 100);
    data.waveform[1][i] = static_cast<int8_t>(-(i % 50));
    data.spectrum[0][i] = static_cast<uint8_t>(i % 200);
    data.spectrum[1][i] = static_cast<uint8_t>(255 - i % 200);
  }
  return data;
}

TEST(WinampAudio, GivesTheNewestSamplesMixedAndScaledAndTheBandsAboveTheSkippedBins) {
  const PlayerData data = Pattern();
  EngineAudioRequest request(512, 484);
  ASSERT_EQ(winamp::FillAudioRequest(data.waveform, data.spectrum, &request.record), 0);
  EXPECT_EQ(request.record.samplesDelivered, 512);
  EXPECT_EQ(request.record.bandsDelivered, 484);
  for (int i = 0; i < 512; ++i) {
    const int source = 64 + i;
    const float expected = (data.waveform[0][source] + data.waveform[1][source]) * 0.5f * 0.0055f;
    ASSERT_FLOAT_EQ(request.samples[i], expected) << "sample " << i;
  }
  for (int i = 0; i < 484; ++i) {
    const float expected = float(data.spectrum[0][28 + i] + data.spectrum[1][28 + i]);
    ASSERT_FLOAT_EQ(request.bands[i], expected) << "band " << i;
  }
  // Nothing beyond the limits is touched.
  EXPECT_EQ(request.samples[512], EngineAudioRequest::kUntouched);
  EXPECT_EQ(request.bands[484], EngineAudioRequest::kUntouched);
}

TEST(WinampAudio, FullScaleStaysWithinTheEnginesRange) {
  PlayerData data;
  for (int i = 0; i < kBinCount; ++i) {
    data.waveform[0][i] = data.waveform[1][i] = (i % 2) ? 127 : -128;
    data.spectrum[0][i] = data.spectrum[1][i] = 255;
  }
  EngineAudioRequest request(512, 484);
  winamp::FillAudioRequest(data.waveform, data.spectrum, &request.record);
  EXPECT_FLOAT_EQ(request.samples[0], -128 * 0.0055f);
  EXPECT_FLOAT_EQ(request.samples[1], 127 * 0.0055f);
  EXPECT_FLOAT_EQ(request.bands[0], 510.0f);
}

TEST(WinampAudio, DeliversNoMoreThanWantedOrPossible) {
  const PlayerData data = Pattern();
  const AudioWanted cases[] = {
      {100, 10, true, true, 100, 10},  {600, 600, true, true, 512, 484},
      {0, 0, true, true, 0, 0},        {-5, -1, true, true, 0, 0},
      {512, 484, false, true, 0, 484}, {512, 484, true, false, 512, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string what = "case " + std::to_string(i);
    EngineAudioRequest request(cases[i]);
    EXPECT_EQ(winamp::FillAudioRequest(data.waveform, data.spectrum, &request.record), 0) << what;
    ExpectDelivered(request, cases[i], what);
  }
  EXPECT_EQ(winamp::FillAudioRequest(data.waveform, data.spectrum, nullptr), 0);
}

}  // namespace
