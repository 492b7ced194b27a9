// The session queue with several posting threads and one taking thread at once (run under
// ThreadSanitizer too): every message arrives once, in each poster's order, and is freed.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "NV_VLC/SessionQueue.h"

namespace {

TEST(SessionQueueThreads, EveryMessageArrivesOnceInEachPostersOrder) {
  constexpr int kPosters = 4;
  constexpr int kEach = 5000;
  const int32_t liveBefore = LiveSessionMessages();
  SessionQueue queue;
  std::vector<std::thread> posters;
  for (int p = 0; p < kPosters; ++p) {
    posters.emplace_back([&queue, p] {
      for (int i = 0; i < kEach; ++i) {
        auto* message = new SessionMessage();
        message->event.kind = static_cast<SessionEventKind>(p);
        message->event.deselected = (i % 2) != 0;
        // The sequence number rides in the tap pointer; it is never dereferenced.
        message->event.tap = reinterpret_cast<Tap*>(static_cast<uintptr_t>(i + 1));
        // A waiting poster holds a second reference and drops it after the taker.
        if (i % 100 == 0) message->references.store(2);
        queue.Append(message);
        if (i % 100 == 0) {
          while (message->references.load() != 1) std::this_thread::yield();
          ReleaseSessionMessage(message, nullptr);
        }
      }
    });
  }
  std::vector<uintptr_t> last(kPosters, 0);
  int received = 0;
  while (received < kPosters * kEach) {
    for (SessionMessage* message = queue.TakeAll(); message != nullptr;) {
      SessionMessage* next = message->next;
      const auto poster = static_cast<int>(message->event.kind);
      const auto sequence = reinterpret_cast<uintptr_t>(message->event.tap);
      ASSERT_EQ(sequence, last[size_t(poster)] + 1) << "poster " << poster;
      last[size_t(poster)] = sequence;
      ++received;
      ReleaseSessionMessage(message, nullptr);
      message = next;
    }
  }
  for (std::thread& poster : posters) poster.join();
  EXPECT_EQ(LiveSessionMessages(), liveBefore);
}

}  // namespace
