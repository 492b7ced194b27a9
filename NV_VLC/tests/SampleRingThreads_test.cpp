// The ring shared by VLC's audio thread (writes) and the session thread (reads), run at once.
// Under ThreadSanitizer this shows the sharing is free of data races; under the other
// sanitizers that neither side strays outside its memory.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "NV_VLC/tests/FeedTestSupport.h"

namespace {

TEST(SampleRingThreads, ReadsDuringWritesSeeOnlyWrittenValues) {
  auto feed = feed_test::MakeFeed(22050, 1);
  std::atomic<bool> stop{false};
  // Every block holds one value from 1 to 8; a read sees those, or zeros of a cleared ring.
  std::thread writer([&] {
    std::vector<float> block(512);
    for (int32_t round = 0; !stop.load(); ++round) {
      std::fill(block.begin(), block.end(), static_cast<float>(round % 8 + 1));
      feed->Push(block.data(), static_cast<int32_t>(block.size()), (round % 50) * 10000);
    }
  });
  // The reader's clock is real time plus a jump now and then, which empties the ring and makes
  // the writer clear it. It runs at least 300 ms, and on until something was delivered (a
  // busy machine may hold the writer back for a while).
  const auto start = std::chrono::steady_clock::now();
  int64_t jumpMs = 0;
  int32_t delivered = 0;
  for (int round = 1;; ++round) {
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (elapsed > std::chrono::seconds(5) ||
        (elapsed > std::chrono::milliseconds(300) && delivered > 0)) {
      break;
    }
    if (round % 997 == 0) jumpMs += 5000;
    const int64_t nowMs =
        1 + jumpMs + std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    feed_test::Request request(nowMs, 1024, 16);
    feed->Read(request.record);
    EXPECT_LE(request.record.samplesDelivered, 1024);
    for (int32_t i = 0; i < request.record.samplesDelivered; ++i) {
      const float value = request.samples[size_t(i)] / 0.9f;
      EXPECT_TRUE(value == 0.0f || (value >= 0.999f && value <= 8.001f)) << value;
    }
    delivered += request.record.samplesDelivered;
  }
  stop = true;
  writer.join();
  EXPECT_GT(delivered, 0);
}

}  // namespace
