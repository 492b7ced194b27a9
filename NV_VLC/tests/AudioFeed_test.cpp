// The feed from VLC's blocks to the engine's requests: mix-down, rate change, playback lead,
// the window a read covers, pauses, and spectrum bands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "NV_VLC/tests/FeedTestSupport.h"
#include "visualhost/audio/SpectrumBands.h"

namespace {

using feed_test::Frames;
using feed_test::MakeFeed;
using feed_test::Request;

constexpr int64_t kFirstRequestMs = 1000;
constexpr float kRingScale = 0.9f;

// The first request gives the ring its clock; until then writes leave it empty.
void StartClock(AudioFeed& feed) {
  Request request(kFirstRequestMs, 0);
  feed.Read(request.record);
}

// The newest `count` samples as heard at request time timeMs.
std::vector<float> ReadAt(AudioFeed& feed, int64_t timeMs, int32_t count) {
  Request request(timeMs, count);
  feed.Read(request.record);
  request.samples.resize(static_cast<size_t>(request.record.samplesDelivered));
  return request.samples;
}

// The newest samples as written: the read ends exactly `lead` after the write's stamp.
std::vector<float> ReadNewest(AudioFeed& feed, int32_t count) {
  return ReadAt(feed, kFirstRequestMs + feed.LeadMs(), count);
}

float Ramp(int32_t frame) { return static_cast<float>(frame) * 1e-4f; }
float Pattern(int32_t frame) { return static_cast<float>(frame % 7) * 0.01f; }
float Counting(int32_t frame) { return static_cast<float>(frame + 1); }

TEST(AudioFeed, FivePointOneIsTheMeanOfTenValuesWithoutTheLfe) {
  auto feed = MakeFeed(48000, 6, 5);
  StartClock(*feed);
  const int32_t frames = 4800;
  const std::vector<float> block = Frames(frames, 6, &Pattern, 5, 100.0f);
  feed->Push(block.data(), frames, 0);

  const std::vector<float> newest = ReadNewest(*feed, 4);
  ASSERT_EQ(newest.size(), 4u);
  for (int32_t j = 0; j < 4; ++j) {
    const int32_t frame = frames - 8 + 2 * j;
    const float mean = (5 * Pattern(frame) + 5 * Pattern(frame + 1)) / 10;
    EXPECT_NEAR(newest[size_t(j)], kRingScale * mean, 1e-6f) << j;
  }
}

TEST(AudioFeed, GroupsCarryAcrossBlocksAndUpsamplingRepeats) {
  struct Case {
    int32_t rate;
    std::vector<int32_t> blockFrames;  // mono frames 1, 2, 3, ... pushed in these blocks
    std::vector<float> newest;         // the mono samples written, before the ring's scale
  };
  const Case cases[] = {
      {44100, {3}, {1.5f}},                    // one frame waits for the next block
      {44100, {3, 1}, {1.5f, 3.5f}},
      {22050, {2, 1}, {1.0f, 2.0f, 3.0f}},     // passes unchanged
      {11025, {2}, {1.0f, 1.0f, 2.0f, 2.0f}},  // each sample twice
      {8000, {1}, {1.0f, 1.0f, 1.0f, 1.0f}},
  };
  for (const Case& c : cases) {
    auto feed = MakeFeed(c.rate, 1);
    StartClock(*feed);
    int32_t first = 0;
    for (int32_t frames : c.blockFrames) {
      std::vector<float> block;
      for (int32_t f = 0; f < frames; ++f) block.push_back(Counting(first + f));
      feed->Push(block.data(), frames, 0);
      first += frames;
    }
    const std::vector<float> newest = ReadNewest(*feed, static_cast<int32_t>(c.newest.size()));
    ASSERT_EQ(newest.size(), c.newest.size()) << c.rate;
    for (size_t i = 0; i < newest.size(); ++i) {
      EXPECT_FLOAT_EQ(newest[i], kRingScale * c.newest[i]) << c.rate << " sample " << i;
    }
  }
}

TEST(AudioFeed, LeadSettlesTowardsBlockLeadPlus120AndStopsAt3000) {
  struct Case {
    std::vector<int64_t> blockLeadsMs;
    int32_t leastLead, mostLead;
  };
  const Case cases[] = {
      {{2000}, 2120, 2120},
      {{5000}, 3000, 3000},
      {{0, -1000}, 120, 120},       // unknown leads leave it as it was
      {{1000, 2000}, 1245, 1245},   // (7 × 1000 + 2000) / 8 ms
      {{1000, 2000, 0}, 1245, 1245},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    auto feed = MakeFeed(44100, 2);
    const float frame[2] = {0.0f, 0.0f};
    for (int64_t leadMs : cases[i].blockLeadsMs) feed->Push(frame, 1, leadMs * 1000);
    EXPECT_GE(feed->LeadMs(), cases[i].leastLead) << "case " << i;
    EXPECT_LE(feed->LeadMs(), cases[i].mostLead) << "case " << i;
  }
  // A lead that moves from 1000 ms to 2000 ms approaches 2120 ms block by block.
  auto feed = MakeFeed(44100, 2);
  const float frame[2] = {0.0f, 0.0f};
  feed->Push(frame, 1, 1000 * 1000);
  int32_t previous = feed->LeadMs();
  for (int i = 0; i < 100; ++i) {
    feed->Push(frame, 1, 2000 * 1000);
    EXPECT_GE(feed->LeadMs(), previous);
    previous = feed->LeadMs();
  }
  EXPECT_GE(previous, 2119);
  EXPECT_LE(previous, 2120);
}

TEST(AudioFeed, ReadsEndLeadMillisecondsBeforeTheNewestSample) {
  auto feed = MakeFeed(22050, 1);
  StartClock(*feed);
  const int32_t frames = 22050;
  const std::vector<float> block = Frames(frames, 1, &Ramp);
  feed->Push(block.data(), frames, 0);  // lead stays 120 ms
  struct Case {
    int64_t requestMs;
    int32_t newestFrame;
  };
  const Case cases[] = {
      {kFirstRequestMs, frames - 1 - 2646},       // 120 ms before the newest
      {kFirstRequestMs + 60, frames - 1 - 1323},  // 60 ms later: 60 ms before it
      {kFirstRequestMs + 120, frames - 1},        // the newest is being heard
      {kFirstRequestMs + 300, frames - 1},        // nothing newer exists
  };
  for (const Case& c : cases) {
    const std::vector<float> newest = ReadAt(*feed, c.requestMs, 1);
    ASSERT_EQ(newest.size(), 1u) << c.requestMs;
    EXPECT_NEAR(newest[0], kRingScale * Ramp(c.newestFrame), 1e-5f) << c.requestMs;
  }
}

TEST(AudioFeed, ReadsCoverAQuarterSecondAtMost) {
  auto feed = MakeFeed(22050, 1);
  StartClock(*feed);
  const std::vector<float> block = Frames(22050, 1, &Ramp);
  feed->Push(block.data(), 22050, 0);
  const struct {
    int32_t wanted, delivered;
  } cases[] = {{1024, 1024}, {8000, 5512}, {5512, 5512}, {0, 0}, {-5, 0}};
  for (const auto& c : cases) {
    Request request(kFirstRequestMs, std::max(c.wanted, 0));
    request.record.samplesWanted = c.wanted;
    feed->Read(request.record);
    EXPECT_EQ(request.record.samplesDelivered, c.delivered) << c.wanted;
  }
}

TEST(AudioFeed, StoppedAudioReadsAsSilenceUntilTheNextWrite) {
  auto feed = MakeFeed(22050, 1);
  StartClock(*feed);
  const std::vector<float> block = Frames(2205, 1, &Counting);
  feed->Push(block.data(), 2205, 0);
  // Lead 120 ms: the audio counts as stopped once the clock is 620 ms past the write.
  EXPECT_EQ(ReadAt(*feed, kFirstRequestMs + 619, 1).size(), 1u);
  EXPECT_EQ(ReadAt(*feed, kFirstRequestMs + 620, 1).size(), 0u);
  EXPECT_EQ(ReadAt(*feed, kFirstRequestMs, 1).size(), 0u) << "an emptied ring stays empty";

  // The next write clears the old audio: only the new samples are there, zeros before them.
  const float resumed[2] = {0.5f, 0.5f};
  feed->Push(resumed, 2, 0);
  const std::vector<float> after = ReadAt(*feed, kFirstRequestMs + 120, 4);
  ASSERT_EQ(after.size(), 4u);
  EXPECT_EQ(after, (std::vector<float>{0.0f, 0.0f, 0.45f, 0.45f}));
}

TEST(AudioFeed, WritesBeforeTheFirstRequestLeaveTheRingEmpty) {
  auto feed = MakeFeed(22050, 1);
  const std::vector<float> block = Frames(2205, 1, &Counting);
  feed->Push(block.data(), 2205, 0);
  EXPECT_TRUE(feed->HasData());
  EXPECT_EQ(ReadAt(*feed, kFirstRequestMs, 16).size(), 0u);
}

TEST(AudioFeed, MissingOrEmptyBlocksChangeNothing) {
  auto feed = MakeFeed(44100, 2);
  const float frame[2] = {1.0f, 1.0f};
  feed->Push(nullptr, 100, 2000 * 1000);
  feed->Push(frame, 0, 2000 * 1000);
  feed->Push(frame, -1, 2000 * 1000);
  EXPECT_FALSE(feed->HasData());
  EXPECT_EQ(feed->LeadMs(), 120);
}

TEST(AudioFeed, ToneShowsInTheBandNearestItsFrequency) {
  auto feed = MakeFeed(44100, 2);
  StartClock(*feed);
  const std::vector<float> tone = feed_test::Tone(44100, 2, 44100, 1000.0f, 0.5f);
  feed->Push(tone.data(), 44100, 0);
  const int32_t bandCount = 64;
  Request request(kFirstRequestMs, 512, bandCount);
  feed->Read(request.record);
  ASSERT_EQ(request.record.bandsDelivered, bandCount);
  EXPECT_EQ(request.record.samplesDelivered, 512);

  int32_t nearest = 0;
  for (int32_t n = 1; n < bandCount; ++n) {
    if (std::abs(BandFrequency(request.params, n, bandCount) - 1000.0f) <
        std::abs(BandFrequency(request.params, nearest, bandCount) - 1000.0f)) {
      nearest = n;
    }
  }
  const auto strongest = std::max_element(request.bands.begin(), request.bands.end());
  EXPECT_EQ(strongest - request.bands.begin(), nearest);
  // The waveform is the tone at the ring's scale: its peak is near 0.9 × 0.5.
  const float peak = *std::max_element(request.samples.begin(), request.samples.end());
  EXPECT_NEAR(peak, 0.45f, 0.01f);
}

TEST(AudioFeed, FeedsAreNumberedInOrderOfCreation) {
  auto first = MakeFeed(44100, 2);
  auto second = MakeFeed(44100, 2);
  EXPECT_GE(first->Number(), 1);
  EXPECT_EQ(second->Number(), first->Number() + 1);
}

}  // namespace
