// The VirtualDJ host's sample history and its answers to the engine's audio requests.
#include "vis_Omnihost/virtualdj/VirtualDjAudio.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using virtualdj::SampleHistory;

// Interleaved stereo frames whose mono values run first, first + 1, ...; left and right differ
// so that only their mean gives the ramp.
std::vector<float> Ramp(int32_t frames, int32_t first) {
  std::vector<float> samples(size_t(frames) * 2);
  for (int32_t i = 0; i < frames; ++i) {
    samples[2 * size_t(i)] = float(first + i) + 3.0f;
    samples[2 * size_t(i) + 1] = float(first + i) - 3.0f;
  }
  return samples;
}

std::vector<float> Held(const SampleHistory& history) {
  std::vector<float> held(SampleHistory::kCapacity);
  held.resize(size_t(history.CopyAll(held.data())));
  return held;
}

TEST(VirtualDjSampleHistory, KeepsTheNewestSamplesWhenAnAppendWouldOverflow) {
  struct Case {
    int32_t held, appended;
    int32_t count;       // held afterwards
    int32_t firstValue;  // the ramp value of the oldest sample afterwards
  } cases[] = {
      {0, 300, 300, 0},
      {8000, 192, 8192, 0},      // fills the capacity exactly
      {8000, 1000, 4096, 4904},  // the newest 3096 of the 8000, then the 1000
      {8000, 193, 4096, 4097},   // just over: 3903 kept
      {5000, 5000, 5000, 5000},  // more than the keep count: none of the old ones stay
      {100, 8092, 8192, 0},
      {3000, 9000, 8192, 3000 + 808},  // a block larger than the capacity: its newest part
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.held << " + " << c.appended);
    SampleHistory history;
    const std::vector<float> before = Ramp(c.held, 0);
    history.AppendStereo(before.data(), 2 * c.held);
    const std::vector<float> after = Ramp(c.appended, c.held);
    history.AppendStereo(after.data(), 2 * c.appended);
    const std::vector<float> held = Held(history);
    ASSERT_EQ(int32_t(held.size()), c.count);
    for (int32_t k = 0; k < c.count; ++k) {
      ASSERT_EQ(held[size_t(k)], float(c.firstValue + k)) << "sample " << k;
    }
  }
}

TEST(VirtualDjSampleHistory, TakesOnlyWholeFramesAndIgnoresMissingSamples) {
  SampleHistory history;
  const std::vector<float> samples = Ramp(4, 10);
  history.AppendStereo(samples.data(), 7);  // three frames and half of the fourth
  EXPECT_EQ(Held(history), (std::vector<float>{10.0f, 11.0f, 12.0f}));
  history.AppendStereo(nullptr, 512);
  history.AppendStereo(samples.data(), 1);
  history.AppendStereo(samples.data(), -8);
  EXPECT_EQ(history.Count(), 3);
  history.Clear();
  EXPECT_EQ(history.Count(), 0);
}

// The audio thread appends while the drawing thread copies: every copy must be one unbroken
// run of the ramp, never a mix of an old and a half-written new state.
TEST(VirtualDjSampleHistory, CopiesTakenWhileAnotherThreadAppendsAreWhole) {
  SampleHistory history;
  std::atomic<bool> done{false};
  std::thread writer([&history, &done] {
    int32_t next = 0;
    for (int block = 0; block < 4000; ++block) {
      const std::vector<float> samples = Ramp(700, next);
      history.AppendStereo(samples.data(), 1400);
      next += 700;
    }
    done = true;
  });
  std::vector<float> held(SampleHistory::kCapacity);
  int copies = 0;
  while (!done || copies == 0) {
    const int32_t count = history.CopyAll(held.data());
    for (int32_t k = 1; k < count; ++k) {
      ASSERT_EQ(held[size_t(k)], held[size_t(k) - 1] + 1.0f) << "copy " << copies << " at " << k;
    }
    ++copies;
  }
  writer.join();
}

TEST(VirtualDjAudio, DeliversTheNewestSamplesOldestFirstAndNoMoreThanHeld) {
  struct Case {
    int32_t held, wanted, delivered;
  } cases[] = {{300, 512, 300}, {1000, 512, 512}, {0, 512, 0}, {300, 0, 0}, {300, -5, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.held << " held, " << c.wanted << " wanted");
    virtualdj::VirtualDjAudio audio;
    const std::vector<float> samples = Ramp(c.held, 0);
    audio.History().AppendStereo(samples.data(), 2 * c.held);
    EngineAudioRequest request(c.wanted, 0);
    ASSERT_EQ(audio.Fill(&request.record), 0);
    ASSERT_EQ(request.record.samplesDelivered, c.delivered);
    for (int32_t k = 0; k < c.delivered; ++k) {
      ASSERT_EQ(request.samples[size_t(k)], float(c.held - c.delivered + k)) << "sample " << k;
    }
    EXPECT_EQ(request.samples[size_t(c.delivered)], EngineAudioRequest::kUntouched);
    EXPECT_EQ(request.record.bandsDelivered, 0);
  }
}

// The bands are the audio analysis of everything held, at 22050 Hz with the host's own layout
// (whatever the engine's request names), so a tone shows in the band of its frequency.
TEST(VirtualDjAudio, BandsAreTheAnalysisOfTheHeldSamplesWithTheHostsLayout) {
  constexpr int32_t kBands = 64;
  const double frequency = 120.0 * std::pow(8000.0 / 120.0, 40.0 / kBands);  // band 40's
  std::vector<float> tone(2 * 4000);
  for (size_t i = 0; i < 4000; ++i) {
    tone[2 * i] = tone[2 * i + 1] =
        float(0.4 * std::sin(2 * 3.14159265358979323846 * frequency * double(i) / 22050));
  }
  virtualdj::VirtualDjAudio audio;
  audio.History().AppendStereo(tone.data(), int32_t(tone.size()));
  EngineAudioRequest request(512, kBands);
  const SpectrumParams enginesOwn{60.0f, 16000.0f, 4.0f, 0.01f, 0.1f, 1};
  request.record.spectrumParams = &enginesOwn;
  ASSERT_EQ(audio.Fill(&request.record), 0);
  ASSERT_EQ(request.record.bandsDelivered, kBands);

  std::vector<float> mono(4000);
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = tone[2 * i];
  SampleBlock block = SampleBlock::BorrowFloat(mono.data(), 4000, 22050, 1.0f);
  const SpectrumParams hosts{120.0f, 8000.0f, 8.0f, 0.02f, 0.07f, 0};
  std::vector<float> expected(kBands);
  SpectrumAnalyzer analyzer;
  analyzer.Compute(block, hosts, kBands, expected.data());
  int32_t strongest = 0;
  for (int32_t k = 0; k < kBands; ++k) {
    ASSERT_FLOAT_EQ(request.bands[size_t(k)], expected[size_t(k)]) << "band " << k;
    if (request.bands[size_t(k)] > request.bands[size_t(strongest)]) strongest = k;
  }
  EXPECT_EQ(strongest, 40);
  EXPECT_EQ(request.bands[kBands], EngineAudioRequest::kUntouched);
}

TEST(VirtualDjAudio, RequestsWithoutRoomGetNothingWritten) {
  virtualdj::VirtualDjAudio audio;
  const std::vector<float> samples = Ramp(600, 0);
  audio.History().AppendStereo(samples.data(), 1200);
  EngineAudioRequest request(512, 64);
  request.record.samples = nullptr;
  request.record.bands = nullptr;
  ASSERT_EQ(audio.Fill(&request.record), 0);
  EXPECT_EQ(request.record.samplesDelivered, 0);
  EXPECT_EQ(request.record.bandsDelivered, 0);
  EXPECT_EQ(audio.Fill(nullptr), NVStatus::kNotHandled);

  // Nothing held: the samples are none and the bands are silence.
  virtualdj::VirtualDjAudio empty;
  EngineAudioRequest silence(512, 16);
  ASSERT_EQ(empty.Fill(&silence.record), 0);
  EXPECT_EQ(silence.record.samplesDelivered, 0);
  ASSERT_EQ(silence.record.bandsDelivered, 16);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(silence.bands[size_t(k)], 0.0f) << k;
}

}  // namespace
