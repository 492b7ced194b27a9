#include "utility/MillisecondClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <vector>

namespace {

constexpr int64_t kUnixEpochIn1601Units = 116444736000000000;

int64_t SystemTimeOfUnixMs(int64_t ms) {
  return kUnixEpochIn1601Units + ms * 10000;
}

// Readings given by the test. A scripted queue is used up first; after it the fixed value holds.
class FakeClockSource final : public ClockSource {
 public:
  uint32_t ReadTick() override { return Next(ticks, tick); }
  int64_t ReadSystemTime() override {
    ++systemTimeReads;
    return Next(systemTimes, systemTime);
  }
  uint32_t BeginPeriod() override {
    ++beginCalls;
    return periodToGrant;
  }
  void EndPeriod(uint32_t period) override { ended.push_back(period); }

  uint32_t tick = 0;
  int64_t systemTime = SystemTimeOfUnixMs(0);
  std::deque<uint32_t> ticks;
  std::deque<int64_t> systemTimes;
  int systemTimeReads = 0;
  uint32_t periodToGrant = 3;
  int beginCalls = 0;
  std::vector<uint32_t> ended;

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T fixed) {
    if (queue.empty()) return fixed;
    const T value = queue.front();
    queue.pop_front();
    return value;
  }
};

class MillisecondClockTest : public testing::Test {
 protected:
  FakeClockSource source;
  ExitCallbackList exitList;
  MillisecondClock clock{source, exitList};
};

TEST_F(MillisecondClockTest, FirstCallSynchronisesEvenWithASmallTick) {
  source.tick = 5;
  source.systemTime = SystemTimeOfUnixMs(1700000000000);
  EXPECT_EQ(clock.Now(), 1700000000000);
  EXPECT_GT(source.systemTimeReads, 0);
}

TEST_F(MillisecondClockTest, AddsElapsedTicksUntilTenSecondsThenResynchronises) {
  source.tick = 1000;
  source.systemTime = SystemTimeOfUnixMs(5000000);
  ASSERT_EQ(clock.Now(), 5000000);
  const int readsAfterSync = source.systemTimeReads;

  // The system clock moves in coarse steps; the clock follows the tick in between.
  source.systemTime = SystemTimeOfUnixMs(5000000 + 7);
  struct Step {
    uint32_t tick;
    int64_t expected;
  };
  for (const Step& step : {Step{1001, 5000001}, Step{1250, 5000250}, Step{11000, 5010000}}) {
    source.tick = step.tick;
    EXPECT_EQ(clock.Now(), step.expected) << "tick " << step.tick;
  }
  EXPECT_EQ(source.systemTimeReads, readsAfterSync);

  source.tick = 11001;
  source.systemTime = SystemTimeOfUnixMs(5010004);
  EXPECT_EQ(clock.Now(), 5010004);
  EXPECT_GT(source.systemTimeReads, readsAfterSync);
  source.tick = 11011;
  EXPECT_EQ(clock.Now(), 5010014);
}

TEST_F(MillisecondClockTest, PairsTheMiddleTickWithTheMiddleSystemTime) {
  // Synchronisation reads: system time, tick, system time B, tick t1, tick t2, system time A.
  // The two ticks straddle the timer's wrap-around.
  source.systemTimes = {SystemTimeOfUnixMs(900), SystemTimeOfUnixMs(1000),
                        SystemTimeOfUnixMs(1004)};
  source.ticks = {0xFFFFFFF0u, 0xFFFFFFFEu, 2u};
  EXPECT_EQ(clock.Now(), 1002);

  source.tick = 10;  // 10 ticks after the middle tick 0
  EXPECT_EQ(clock.Now(), 1012);
}

TEST_F(MillisecondClockTest, RaisesResolutionOnceAndLeavesAnExitCall) {
  source.tick = 1;
  clock.Now();
  source.tick = 20000;  // a second synchronisation
  clock.Now();
  EXPECT_EQ(source.beginCalls, 1);
  EXPECT_EQ(clock.Period(), 3u);
  EXPECT_EQ(exitList.Count(), 1);

  exitList.RunEntries();
  EXPECT_EQ(source.ended, (std::vector<uint32_t>{3}));
  EXPECT_EQ(clock.Period(), 0u);

  // Once lowered, the next synchronisation raises it again.
  source.tick = 40000;
  clock.Now();
  EXPECT_EQ(source.beginCalls, 2);
  EXPECT_EQ(clock.Period(), 3u);
}

TEST_F(MillisecondClockTest, RefusedResolutionIsRequestedAgainAtTheNextSynchronisation) {
  source.periodToGrant = 0;
  source.tick = 1;
  clock.Now();
  EXPECT_EQ(clock.Period(), 0u);
  EXPECT_EQ(exitList.Count(), 0);

  source.tick = 2;  // no synchronisation within ten seconds
  clock.Now();
  EXPECT_EQ(source.beginCalls, 1);

  source.periodToGrant = 4;
  source.tick = 20000;
  clock.Now();
  EXPECT_EQ(source.beginCalls, 2);
  EXPECT_EQ(clock.Period(), 4u);
  EXPECT_EQ(exitList.Count(), 1);
}

int64_t SystemClockMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

TEST(NowMsTest, FollowsTheSystemClock) {
  // Loose bounds: the system clock itself may step by up to 16 ms, and a busy machine may
  // pause the test between readings.
  constexpr int64_t kToleranceMs = 250;
  for (int i = 0; i < 3; ++i) {
    const int64_t before = SystemClockMs();
    const int64_t now = NowMs();
    const int64_t after = SystemClockMs();
    EXPECT_GE(now, before - kToleranceMs);
    EXPECT_LE(now, after + kToleranceMs);
  }
}

}  // namespace
