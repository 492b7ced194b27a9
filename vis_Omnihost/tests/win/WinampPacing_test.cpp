// Frame pacing of the Winamp module, end to end: while the player calls Render each call is
// one engine frame; once the player stops calling, the module's own timer takes over after a
// pause of more than 420 ms and runs frames at the engine's pace; when Render comes back, the
// frames follow it again.
#include <gtest/gtest.h>

#include <utility>

#include "players/winamp/StandInControl.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"

namespace {

namespace call = winamp_standin::call;

// Render every 100 ms: clearly slower than the reference engine's own pace (a frame every
// 33 ms, plus the module's 4 ms), so the two kinds of frames can be told apart by their rate.
constexpr int kRenderMs = 100;
constexpr DWORD kMeasureMs = 1000;

struct Counts {
  size_t renders;
  size_t frames;
};

Counts CountsOf(const StandInPlayerRun& run) {
  return {CountOf(run.PlayerJournal(), call::kRender), CountOf(run.EngineJournal(), "RunFrame")};
}

// Renders and frames during the next kMeasureMs.
Counts Measure(const StandInPlayerRun& run) {
  const Counts before = CountsOf(run);
  Sleep(kMeasureMs);
  const Counts after = CountsOf(run);
  return {after.renders - before.renders, after.frames - before.frames};
}

void SetRendering(StandInPlayerRun& run, bool on) {
  const size_t before = CountOf(run.PlayerJournal(), call::kCommand);
  ASSERT_TRUE(run.Send(StandInCommand("Render").Number("on", on ? 1 : 0)));
  // Carried out once the visualization thread has journaled it too.
  ASSERT_TRUE(run.WaitForPlayer(
      [&](const Journal& player) { return CountOf(player, call::kCommand) >= before + 2; }));
}

class WinampPacingTest : public WinampPlayerTest {};

TEST_F(WinampPacingTest, FramesFollowRenderThenTheTimerThenRenderAgain) {
  StandInPlayerRun run(
      SetupFor(L"Winamp", "winamp", StandInCommand().Number("renderMs", kRenderMs)));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);

  const Counts withRender = Measure(run);
  EXPECT_GE(withRender.renders, 6u);
  EXPECT_NEAR(double(withRender.frames), double(withRender.renders), 2.0);

  SetRendering(run, false);
  const size_t framesAtStop = CountsOf(run).frames;
  Sleep(300);
  // No frames of the module's own yet: it waits more than 420 ms before it drives them.
  EXPECT_LE(CountsOf(run).frames, framesAtStop + 1);
  Sleep(700);
  const Counts byTimer = Measure(run);
  EXPECT_EQ(byTimer.renders, 0u);
  // The engine's pace: a frame every 37 ms or so, about 27 in the time measured.
  EXPECT_GE(byTimer.frames, 18u);
  EXPECT_LE(byTimer.frames, 32u);

  SetRendering(run, true);
  Sleep(300);
  const Counts renderAgain = Measure(run);
  EXPECT_GE(renderAgain.renders, 6u);
  EXPECT_NEAR(double(renderAgain.frames), double(renderAgain.renders), 2.0);
  ExpectCleanExit(run);
}

}  // namespace
