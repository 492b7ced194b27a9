// Frame pacing of the Winamp module, end to end: while the player calls Render each call is
// one engine frame; once the player stops calling, the module's own timer takes over after a
// pause of more than 420 ms and runs frames at the engine's pace; when Render comes back, the
// frames follow it again.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "players/winamp/StandInControl.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"

namespace {

namespace call = winamp_standin::call;

// Render every 100 ms: clearly slower than the reference engine's own pace (a frame every
// 33 ms, plus the module's 4 ms), so the two kinds of frames can be told apart by their rate.
constexpr int kRenderMs = 100;
// The module's own timer waits this long after the last Render before it drives frames.
constexpr ULONGLONG kTakeOverMs = 420;
// While it polls the player, the module's timer ticks every 200 ms.
constexpr ULONGLONG kPollMs = 200;
// Every wait below ends after this long; a loaded machine only makes the waits longer, never
// the checks fail.
constexpr DWORD kLongestWaitMs = 15000;

struct Counts {
  size_t renders;
  size_t frames;
};

Counts CountsOf(const StandInPlayerRun& run) {
  // The engine first: each frame of a Render is in the engine's journal before the player
  // journals that Render, so the renders read are never fewer than the frames they made.
  const size_t frames = CountOf(run.EngineJournal(), "RunFrame");
  return {CountOf(run.PlayerJournal(), call::kRender), frames};
}

// Waits until `frames` more frames came, or `renders` more renders; what came meanwhile and how
// long that took.
struct Span {
  Counts added;
  ULONGLONG ms;
};
Span WaitForMore(const StandInPlayerRun& run, size_t renders, size_t frames) {
  const Counts before = CountsOf(run);
  const ULONGLONG start = GetTickCount64();
  Counts now = before;
  while (GetTickCount64() - start < kLongestWaitMs) {
    now = CountsOf(run);
    if (renders != 0 && now.renders >= before.renders + renders) break;
    if (frames != 0 && now.frames >= before.frames + frames) break;
    Sleep(10);
  }
  return {{now.renders - before.renders, now.frames - before.frames}, GetTickCount64() - start};
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

  // While the player renders, each Render is one frame.
  const Span withRender = WaitForMore(run, 8, 0);
  ASSERT_GE(withRender.added.renders, 8u);
  EXPECT_NEAR(double(withRender.added.frames), double(withRender.added.renders), 2.0);

  // The player stops: no frame at all until the module's timer takes over, more than 420 ms
  // after the last Render (which came after `stopSent`), then frames at the engine's pace.
  const ULONGLONG stopSent = GetTickCount64();
  SetRendering(run, false);
  const Span pause = WaitForMore(run, 0, 1);
  ASSERT_GE(pause.added.frames, 1u) << "the module's timer never took over";
  EXPECT_EQ(pause.added.renders, 0u);
  EXPECT_GT(GetTickCount64() - stopSent, kTakeOverMs) << "the module's timer did not wait";
  const Span byTimer = WaitForMore(run, 0, 20);
  EXPECT_EQ(byTimer.added.renders, 0u);
  ASSERT_GE(byTimer.added.frames, 20u);
  // Not faster than the engine asks (a frame per 33 ms at most) and clearly faster than the
  // timer's polling of the player could make them.
  EXPECT_LE(byTimer.added.frames, byTimer.ms / 33 + 2);
  EXPECT_GT(byTimer.added.frames, byTimer.ms / kPollMs + 1);

  // Render is back: the frames follow it again.
  SetRendering(run, true);
  WaitForMore(run, 2, 0);
  const Span renderAgain = WaitForMore(run, 8, 0);
  ASSERT_GE(renderAgain.added.renders, 8u);
  EXPECT_NEAR(double(renderAgain.added.frames), double(renderAgain.added.renders), 2.0);
  ExpectCleanExit(run);
}

}  // namespace
