#include "vis_Omnihost/qcd/QcdAudio.h"

#include <gtest/gtest.h>

#include <memory>

#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using qcd::Module;

// Every sample and value tells where it came from. On the heap: the structure is large.
std::unique_ptr<Module> Pattern() {
  auto module = std::make_unique<Module>();
  *module = {};
  module->spectrumSize = qcd::kSpectrumWanted;
  for (int i = 0; i < qcd::kSampleCount; ++i)
    module->samples[i] = int16_t((i * 37) % 65536 - 32768);
  for (int i = 0; i < qcd::kSpectrumWanted; ++i) module->spectrum[i] = 0.5 + i;
  return module;
}

TEST(QcdAudio, SpreadsTheSamplesOverTheFramesAndUsesEachSpectrumValueTwice) {
  const auto module = Pattern();
  EngineAudioRequest request(1024, 512);
  ASSERT_EQ(qcd::FillAudioRequest(module.get(), &request.record), 0);
  EXPECT_EQ(request.record.samplesDelivered, 292);
  EXPECT_EQ(request.record.bandsDelivered, 176);
  for (int k = 0; k < 292; ++k) {
    const float expected = float(module->samples[7 * k] + module->samples[7 * k + 1]) * 0.000006f;
    ASSERT_FLOAT_EQ(request.samples[k], expected) << "sample " << k;
  }
  for (int j = 0; j < 176; ++j) {
    ASSERT_FLOAT_EQ(request.bands[j], float(module->spectrum[j / 2])) << "band " << j;
  }
  EXPECT_EQ(request.samples[292], EngineAudioRequest::kUntouched);
  EXPECT_EQ(request.bands[176], EngineAudioRequest::kUntouched);
  // The last sample read lies inside the 1024 frames the player fills.
  EXPECT_LT(7 * 291 + 1, 2 * qcd::kFramesFilled);
}

TEST(QcdAudio, DeliversNoMoreThanWantedPossibleOrGiven) {
  struct Case {
    const char* name;
    bool module;
    int32_t spectrumSize;
    AudioWanted wanted;
  } cases[] = {
      {"fewer wanted", true, 120, {100, 10, true, true, 100, 10}},
      {"none wanted", true, 120, {0, 0, true, true, 0, 0}},
      {"negative wanted", true, 120, {-3, -3, true, true, 0, 0}},
      {"no sample buffer", true, 120, {512, 64, false, true, 0, 64}},
      {"no band buffer", true, 120, {512, 64, true, false, 292, 0}},
      {"no module", false, 120, {512, 64, true, true, 0, 0}},
      {"smaller spectrum asked for", true, 40, {512, 512, true, true, 292, 16}},
      {"spectrum too small for any band", true, 20, {512, 512, true, true, 292, 0}},
      {"spectrum size beyond the room", true, 100000, {512, 512, true, true, 292, 176}},
      {"negative spectrum size", true, -5, {512, 512, true, true, 292, 0}},
  };
  for (const Case& c : cases) {
    auto module = Pattern();
    module->spectrumSize = c.spectrumSize;
    EngineAudioRequest request(c.wanted);
    EXPECT_EQ(qcd::FillAudioRequest(c.module ? module.get() : nullptr, &request.record), 0)
        << c.name;
    ExpectDelivered(request, c.wanted, c.name);
  }
  EXPECT_EQ(qcd::FillAudioRequest(Pattern().get(), nullptr), 0);
}

}  // namespace
