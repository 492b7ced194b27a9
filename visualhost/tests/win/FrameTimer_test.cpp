// The render timer, window placement and drawing targets with the reference engine, a real
// window on the display and a message loop pumped by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "visualhost/engine/RectSize.h"
#include "visualhost/host/HostDescriptors.h"
#include "visualhost/tests/win/RecordingHostSystem.h"
#include "visualhost/tests/win/ReferenceEngineHost.h"

namespace {

using refengine_journal::JournalEntry;

int64_t Address(const void* pointer) {
  return int64_t(reinterpret_cast<uintptr_t>(pointer));
}

class FrameTimerTest : public ReferenceEngineTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartHost(HostDescriptor::kStandalone)); }

  // Pumps messages until the engine has run `more` frames beyond those it has run so far.
  bool FramesKeepComing(size_t more) {
    const size_t target = Count("RunFrame") + more;
    return PumpMessagesUntil([&] { return Count("RunFrame") >= target; });
  }

  // Starts the timer on a window and lets it settle on the engine's period.
  HWND RunningOnTimer(int32_t periodMs) {
    control->SetRunFramePeriod(periodMs);
    HWND window = Window();
    host->AttachWindow(window, 0, nullptr);
    host->Schedule(true);
    EXPECT_TRUE(FramesKeepComing(3));
    EXPECT_EQ(host->ScheduledPeriod(), periodMs);
    return window;
  }

  RecordingHostSystem system;
};

TEST_F(FrameTimerTest, SteadyPeriodArmsTheTimerOnceWithTwoMillisecondsOfSlack) {
  HWND window = RunningOnTimer(30);
  ASSERT_TRUE(FramesKeepComing(5));

  // The first frame is due at once after the start (period 1); after it the engine's 30.
  const SystemRecord record = system.Snapshot();
  std::vector<uint32_t> periods;
  for (const TimerCall& call : record.timersSet) {
    EXPECT_EQ(call.window, window);
    EXPECT_EQ(call.host, host);
    periods.push_back(call.periodMs);
  }
  EXPECT_EQ(periods, (std::vector<uint32_t>{3, 32}));
  EXPECT_TRUE(record.timersKilled.empty());
  EXPECT_EQ(host->NextPeriod(), 30);
}

TEST_F(FrameTimerTest, TimerFollowsAChangedPeriodOnceAndDrawsIntoTheWindow) {
  HWND window = RunningOnTimer(30);
  system.Clear();
  control->SetRunFramePeriod(15);
  ASSERT_TRUE(FramesKeepComing(5));

  const SystemRecord record = system.Snapshot();
  ASSERT_EQ(record.timersSet.size(), 1u);
  EXPECT_EQ(record.timersSet[0].periodMs, 17u);
  // The engine drew into the window the timer belongs to.
  const std::vector<JournalEntry> frames = JournalOf("RunFrame");
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back().Number("known"), 1);
  EXPECT_EQ(frames.back().Number("instance"), host->Instance());
  const std::vector<JournalEntry> targets = JournalOf("SetTarget");
  ASSERT_FALSE(targets.empty());
  EXPECT_EQ(targets.back().Number("target"), Address(window));
}

TEST_F(FrameTimerTest, ScheduleOffKillsTheTimerAndOnArmsItAgainWithTheSamePeriod) {
  HWND window = RunningOnTimer(30);
  system.Clear();

  host->Schedule(false);
  SystemRecord record = system.Snapshot();
  ASSERT_EQ(record.timersKilled.size(), 1u);
  EXPECT_EQ(record.timersKilled[0].window, window);
  EXPECT_EQ(record.timersKilled[0].host, host);
  EXPECT_EQ(host->NextPeriod(), 0);
  EXPECT_EQ(host->ScheduledPeriod(), -1);
  // The system really stopped ticking: no frame while messages are pumped.
  const size_t framesWhenOff = Count("RunFrame");
  PumpMessagesFor(200);
  EXPECT_EQ(Count("RunFrame"), framesWhenOff);

  // The engine wants 30 again; the timer was killed, so it must be armed again.
  host->Step();
  host->Schedule(true);
  record = system.Snapshot();
  ASSERT_EQ(record.timersSet.size(), 1u);
  EXPECT_EQ(record.timersSet[0].periodMs, 32u);
  ASSERT_TRUE(FramesKeepComing(3));
  EXPECT_EQ(system.TimersSet(), 1u);
}

TEST_F(FrameTimerTest, ResizedWindowIsReattachedOnceWithTheFullscreenMarkWhenTheEngineSaysSo) {
  struct Case {
    const char* name;
    int64_t fullscreenAnswer;
    int64_t expectedFlags;
  };
  const Case cases[] = {
      {"engine in a window", 0, TargetFlags::kWindow},
      {"engine fullscreen", 1, TargetFlags::kWindow | TargetFlags::kFullscreen},
  };
  host->SetTrackClientSize(true);
  HWND window = RunningOnTimer(10);
  int width = 200;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->SetFullscreenAnswer(1, c.fullscreenAnswer);
    ASSERT_TRUE(FramesKeepComing(2));
    const size_t targetsBefore = Count("SetTarget");

    width += 40;
    SetWindowPos(window, nullptr, 0, 0, width, 150, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(FramesKeepComing(4));

    const std::vector<JournalEntry> targets = JournalOf("SetTarget");
    ASSERT_EQ(targets.size(), targetsBefore + 1) << "one re-attach per change";
    EXPECT_EQ(targets.back().Number("target"), Address(window));
    EXPECT_EQ(targets.back().Number("flags"), c.expectedFlags);
    // The mark comes from asking the engine just before the re-attach.
    const std::vector<JournalEntry> journal = Journal();
    size_t attach = journal.size();
    while (attach > 0 && journal[attach - 1].call != "SetTarget") --attach;
    ASSERT_GE(attach, 2u);
    const JournalEntry& question = journal[attach - 2];
    EXPECT_EQ(question.call, "Request");
    EXPECT_EQ(question.Get("code"), "GetF");
    EXPECT_EQ(question.Number("instance"), host->Instance());
    EXPECT_EQ(question.Number("answer"), c.fullscreenAnswer);
  }
}

TEST_F(FrameTimerTest, WindowIsPlacedOnlyForARectangleWithArea) {
  struct Case {
    const char* name;
    EngineRect answer;
    bool placed;
  };
  const Case cases[] = {
      {"right equal to left", {50, 60, 50, 300}, false},
      {"bottom equal to top", {50, 60, 300, 60}, false},
      {"right before left", {300, 60, 50, 300}, false},
      {"a real rectangle", {30, 40, 350, 280}, true},
      {"wider than 32 bits hold", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND window = Window(false);
    RECT before;
    GetWindowRect(window, &before);
    control->SetWindowAnswer(1, c.answer.left, c.answer.top, c.answer.right, c.answer.bottom);
    const size_t asked = Count("Request", "Wind");

    host->PlaceWindow(window);
    const std::vector<JournalEntry> asks = JournalOf("Request", "Wind");
    ASSERT_EQ(asks.size(), asked + 1);
    EXPECT_EQ(asks.back().Number("instance"), host->Instance());
    EXPECT_EQ(asks.back().Number("answer"), 0);

    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(IsWindowVisible(window) != FALSE, c.placed);
    if (c.placed && RectWidth(c.answer) <= INT32_MAX && RectHeight(c.answer) <= INT32_MAX) {
      EXPECT_EQ(after.left, c.answer.left);
      EXPECT_EQ(after.top, c.answer.top);
      EXPECT_EQ(RectWidth(after), RectWidth(c.answer));
      EXPECT_EQ(RectHeight(after), RectHeight(c.answer));
    } else if (c.placed) {
      // The system limits what it was given; the window has a size of its own choice.
      EXPECT_GT(RectWidth(after), 0);
      EXPECT_GT(RectHeight(after), 0);
    } else {
      EXPECT_TRUE(EqualRect(&before, &after));
    }
  }
}

TEST_F(FrameTimerTest, PixelBufferStopsTheTimerAndFramesThenComeOnlyFromStep) {
  HWND window = RunningOnTimer(10);
  system.Clear();
  constexpr int kWidth = 64;
  constexpr int kHeight = 48;
  std::vector<uint32_t> pixels(kWidth * kHeight, 0);
  PixelBufferDesc buffer = {};
  buffer.format = PixelBufferDesc::kFormat32;
  buffer.stride = kWidth * 4;
  buffer.width = kWidth;
  buffer.height = kHeight;
  buffer.planes = 1;
  buffer.pixels = pixels.data();

  EXPECT_EQ(host->AttachBuffer(&buffer, 0, nullptr), 0);
  ASSERT_EQ(system.TimersKilled(), 1u);
  EXPECT_EQ(system.Snapshot().timersKilled[0].window, window);
  const JournalEntry attached = JournalOf("SetTarget").back();
  EXPECT_EQ(attached.Number("target"), Address(&buffer));
  EXPECT_EQ(attached.Number("flags"), TargetFlags::kPixelBuffer);
  EXPECT_EQ(attached.Number("status"), 0);

  const size_t framesWhenAttached = Count("RunFrame");
  PumpMessagesFor(150);
  EXPECT_EQ(Count("RunFrame"), framesWhenAttached) << "the timer still ticks";
  for (int i = 0; i < 3; ++i) host->Step();
  const std::vector<JournalEntry> frames = JournalOf("RunFrame");
  ASSERT_EQ(frames.size(), framesWhenAttached + 3);
  for (size_t i = framesWhenAttached; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].Number("instance"), host->Instance());
    EXPECT_EQ(frames[i].Number("known"), 1);
  }

  size_t drawn = 0;
  for (uint32_t pixel : pixels) drawn += pixel != 0 ? 1 : 0;
  EXPECT_GT(drawn, pixels.size() / 2) << "the engine's picture is not in the buffer";
}

TEST_F(FrameTimerTest, PixelBufferWithoutInstanceStillStopsTheTimer) {
  HWND window = RunningOnTimer(10);
  host->StopInstance();
  system.Clear();
  // StopInstance detached the window; put it back as the host's window by hand.
  host->AttachWindow(window, 0, nullptr);
  const size_t targetsBefore = Count("SetTarget");
  PixelBufferDesc buffer = {};

  EXPECT_EQ(host->AttachBuffer(&buffer, 0, nullptr), NVStatus::kNoInstance);
  EXPECT_EQ(system.TimersKilled(), 1u);
  EXPECT_EQ(host->ScheduledPeriod(), -1);
  EXPECT_EQ(Count("SetTarget"), targetsBefore) << "the engine was called without an instance";
}

}  // namespace
