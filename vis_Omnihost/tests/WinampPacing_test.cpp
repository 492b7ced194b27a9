#include "vis_Omnihost/winamp/WinampPacing.h"

#include <gtest/gtest.h>

namespace {

using winamp::WinampPacing;

// The interval change the pacing asks for, or -1 when the timer can stay.
int32_t Change(WinampPacing& pacing) {
  int32_t interval = -1;
  return pacing.TakeIntervalChange(&interval) ? interval : -1;
}

TEST(WinampPacing, PollsEvery200MsWhileThePlayerRenders) {
  WinampPacing pacing;
  // The engine takes the window: the first tick is noted, and the timer runs at once.
  EXPECT_FALSE(pacing.FromTimer(1000));
  EXPECT_EQ(Change(pacing), 0);
  pacing.FromRender();
  EXPECT_EQ(Change(pacing), 200);
  for (int64_t now = 1200; now < 5000; now += 200) {
    EXPECT_FALSE(pacing.FromTimer(now)) << now;
    pacing.FromRender();
    pacing.FromRender();
    EXPECT_EQ(Change(pacing), -1) << "the 200 ms timer is left running at " << now;
  }
  EXPECT_FALSE(pacing.SelfDriven());
}

TEST(WinampPacing, TakesOverMoreThan420MsAfterRenderStopsAndGivesBackOnRender) {
  WinampPacing pacing;
  pacing.FromTimer(0);
  pacing.FromRender();
  EXPECT_EQ(Change(pacing), 200);
  EXPECT_FALSE(pacing.FromTimer(1000));  // first tick after the last Render
  EXPECT_FALSE(pacing.FromTimer(1200));
  EXPECT_FALSE(pacing.FromTimer(1420));  // not more than 420 ms yet
  ASSERT_TRUE(pacing.FromTimer(1421));
  EXPECT_TRUE(pacing.SelfDriven());
  pacing.SetFrameInterval(27);  // the engine wants a frame in 23 ms, plus 4
  EXPECT_EQ(Change(pacing), 27);
  // From now on every tick drives a frame at the engine's pace.
  EXPECT_TRUE(pacing.FromTimer(1448));
  pacing.SetFrameInterval(27);
  EXPECT_EQ(Change(pacing), -1);
  pacing.SetFrameInterval(-10);  // an engine answering below 0 gets the fastest timer
  EXPECT_EQ(Change(pacing), 0);
  // The player renders again: back to polling.
  pacing.FromRender();
  EXPECT_FALSE(pacing.SelfDriven());
  EXPECT_EQ(Change(pacing), 200);
  EXPECT_FALSE(pacing.FromTimer(1600));
}

TEST(WinampPacing, ResetStartsOver) {
  WinampPacing pacing;
  pacing.FromTimer(0);
  pacing.FromTimer(500);
  pacing.SetFrameInterval(30);
  Change(pacing);
  pacing.Reset();
  EXPECT_FALSE(pacing.SelfDriven());
  EXPECT_FALSE(pacing.FromTimer(10000));
  EXPECT_EQ(Change(pacing), 0);
}

}  // namespace
