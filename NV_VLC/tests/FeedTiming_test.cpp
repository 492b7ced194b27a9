// When a sound reaches the engine: blocks arrive ahead of playback in real time, the engine
// asks for audio every few milliseconds by its own clock (here the same clock as VLC's), and a
// burst with a known presentation time shows at the newest end of the engine's waveform some
// time after it. The offset is printed as a figure; the test holds it to the design: the read
// ends 120 ms minus one block behind what was last written, so the burst shows about
// (120 ms - block duration) late, whatever the block lead.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "NV_VLC/tests/FeedTestSupport.h"

namespace {

constexpr int32_t kRate = 44100;

// The engine time (ms) at which the burst first appears as the newest sample the engine gets.
int64_t BurstSeenAt(int32_t blockFrames, int64_t blockLeadMs, int64_t burstMs) {
  auto feed = feed_test::MakeFeed(kRate, 2);
  std::vector<float> block(static_cast<size_t>(2 * blockFrames));
  int64_t nextFrame = 0;  // presentation of frame f: f * 1000 / rate ms
  for (int64_t nowMs = 1; nowMs < burstMs + 2000; ++nowMs) {
    // Deliver every block whose presentation starts within the lead from now.
    while (nextFrame * 1000 / kRate <= nowMs + blockLeadMs) {
      for (int32_t f = 0; f < blockFrames; ++f) {
        const int64_t ms = (nextFrame + f) * 1000 / kRate;
        const float value = (ms >= burstMs && ms < burstMs + 20) ? 1.0f : 0.0f;
        block[size_t(2 * f)] = block[size_t(2 * f + 1)] = value;
      }
      const int64_t ptsUs = nextFrame * 1000000 / kRate;
      feed->Push(block.data(), blockFrames, ptsUs - nowMs * 1000);
      nextFrame += blockFrames;
    }
    feed_test::Request request(nowMs, 64);
    feed->Read(request.record);
    if (request.record.samplesDelivered == 64 && request.samples[63] > 0.1f) return nowMs;
  }
  return -1;
}

TEST(FeedTiming, ToneBurstReachesTheEngineAtItsPresentationTimeLessTheDesignSlack) {
  struct Case {
    int32_t blockFrames;
    int64_t blockLeadMs;
  };
  const Case cases[] = {{4096, 500}, {2205, 500}, {4096, 1500}, {2205, 200}};
  const int64_t burstMs = 3000;
  for (const Case& c : cases) {
    const int64_t seen = BurstSeenAt(c.blockFrames, c.blockLeadMs, burstMs);
    ASSERT_GE(seen, 0);
    const int64_t offset = seen - burstMs;
    const int64_t blockMs = int64_t{c.blockFrames} * 1000 / kRate;
    std::printf("tone burst offset: %lld ms (blocks of %d frames, lead %lld ms)\n",
                static_cast<long long>(offset), c.blockFrames,
                static_cast<long long>(c.blockLeadMs));
    EXPECT_NEAR(offset, 120 - blockMs, 10) << c.blockFrames << " " << c.blockLeadMs;
  }
}

}  // namespace
