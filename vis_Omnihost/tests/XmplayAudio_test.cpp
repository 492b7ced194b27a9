#include "vis_Omnihost/xmplay/XmplayAudio.h"

#include <gtest/gtest.h>

#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using xmplay::VisData;

// Every value tells where it came from.
VisData Pattern() {
  VisData data = {};
  for (int i = 0; i < xmplay::kWaveformSamples; ++i) {
    data.waveform[0][i] = static_cast<int8_t>(i % 256 - 128);
    data.waveform[1][i] = 77;  // never read
  }
  for (int i = 0; i < xmplay::kSpectrumValues; ++i) {
    data.spectrum[0][i] = static_cast<uint8_t>(i);
    data.spectrum[1][i] = static_cast<uint8_t>(255 - i / 2);
  }
  return data;
}

TEST(XmplayAudio, GivesEverySecondSampleOfTheFirstChannelAndTheSpectraAddedFromValue64) {
  const VisData data = Pattern();
  EngineAudioRequest request(512, 256);
  ASSERT_EQ(xmplay::FillAudioRequest(xmplay::ChannelsOf(&data), &request.record), 0);
  EXPECT_EQ(request.record.samplesDelivered, 256);
  EXPECT_EQ(request.record.bandsDelivered, 192);
  for (int k = 0; k < 256; ++k) {
    ASSERT_FLOAT_EQ(request.samples[k], data.waveform[0][2 * k] * 0.006f) << "sample " << k;
  }
  for (int j = 0; j < 192; ++j) {
    const float expected = float(data.spectrum[0][64 + j] + data.spectrum[1][64 + j]);
    ASSERT_FLOAT_EQ(request.bands[j], expected) << "band " << j;
  }
  EXPECT_EQ(request.samples[256], EngineAudioRequest::kUntouched);
  EXPECT_EQ(request.bands[192], EngineAudioRequest::kUntouched);
  // The extremes: the most negative sample is signed, the spectrum is not scaled.
  EXPECT_FLOAT_EQ(request.samples[0], -128 * 0.006f);
  EXPECT_FLOAT_EQ(request.bands[191], float(255 + 255 - 255 / 2));
}

TEST(XmplayAudio, DeliversNoMoreThanWantedPossibleOrGiven) {
  const VisData data = Pattern();
  struct Case {
    const char* name;
    const VisData* record;
    AudioWanted wanted;
  } cases[] = {
      {"fewer wanted", &data, {100, 10, true, true, 100, 10}},
      {"more wanted", &data, {600, 600, true, true, 256, 192}},
      {"none wanted", &data, {0, 0, true, true, 0, 0}},
      {"negative wanted", &data, {-5, -1, true, true, 0, 0}},
      {"no sample buffer", &data, {512, 64, false, true, 0, 64}},
      {"no band buffer", &data, {512, 64, true, false, 256, 0}},
      {"no data record (before the first render)", nullptr, {512, 64, true, true, 0, 0}},
  };
  for (const Case& c : cases) {
    EngineAudioRequest request(c.wanted);
    EXPECT_EQ(xmplay::FillAudioRequest(xmplay::ChannelsOf(c.record), &request.record), 0) << c.name;
    ExpectDelivered(request, c.wanted, c.name);
  }
  EXPECT_EQ(xmplay::FillAudioRequest(xmplay::ChannelsOf(&data), nullptr), 0);
}

}  // namespace
