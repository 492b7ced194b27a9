// How the engine's answers become the render timer's periods and the pump thread's pauses.
// Whatever the engine answers, frames must keep coming: a negative answer must not turn into a
// huge unsigned wait, and a huge one must neither overflow nor park the pump thread for longer
// than StopInstance waits for it.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "visualhost/host/HostDescriptors.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/tests/FakeEngine.h"
#include "visualhost/tests/FakeEngineHostTest.h"
#include "visualhost/tests/ScopedHostSystem.h"

namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

class PacingHost : public VisualHost {
 public:
  void UsePump(bool enabled) {
    mUsePumpThread = true;
    mPumpEnabled = enabled;
  }
  void EnablePump() { mPumpEnabled = true; }

 protected:
  ~PacingHost() override = default;
};

// What the stubbed system calls saw, and what the pump's sends answer in turn.
struct PumpAnswer {
  bool succeeded;
  intptr_t result;
};
struct Seen {
  std::vector<uint32_t> timerPeriods;
  std::vector<HostWindow> timerWindows;
  std::vector<HostWindow> killedTimers;
  std::vector<uint32_t> sleeps;
  std::vector<PumpAnswer> script;
  size_t sends = 0;
  uint32_t sendMessage = 0;
  uintptr_t sendWParam = 1;
  intptr_t sendLParam = 0;
  uint32_t sendTimeoutMs = 0;
  PacingHost* host = nullptr;
};
Seen gSeen;

void RecordTimer(HostWindow window, VisualHost*, uint32_t periodMs) {
  gSeen.timerPeriods.push_back(periodMs);
  gSeen.timerWindows.push_back(window);
}

void RecordKill(HostWindow window, VisualHost*) {
  gSeen.killedTimers.push_back(window);
}

// The pump's first pause happens while it is disabled; the host is then switched on so the
// scripted answers follow.
void RecordSleep(uint32_t milliseconds) {
  gSeen.sleeps.push_back(milliseconds);
  if (gSeen.sleeps.size() == 1) gSeen.host->EnablePump();
}

// Answers the script in order; after the last answer the host stops, which ends the loop.
bool ScriptedSend(HostWindow, uint32_t message, uintptr_t wParam, intptr_t lParam,
                  uint32_t timeoutMs, intptr_t* result) {
  gSeen.sendMessage = message;
  gSeen.sendWParam = wParam;
  gSeen.sendLParam = lParam;
  gSeen.sendTimeoutMs = timeoutMs;
  const PumpAnswer answer = gSeen.script.at(gSeen.sends++);
  if (gSeen.sends == gSeen.script.size()) gSeen.host->StopInstance();
  *result = answer.result;
  return answer.succeeded;
}

class FramePeriodsTest : public FakeEngineHostTest<PacingHost> {
 protected:
  void SetUp() override {
    gSeen = Seen();
    system.calls.setTimer = &RecordTimer;
    system.calls.killTimer = &RecordKill;
    system.calls.sleep = &RecordSleep;
    system.calls.sendMessageTimeout = &ScriptedSend;
    FakeEngineHostTest::SetUp();
    gSeen.host = host;
    ASSERT_EQ(host->Status(), 0);
    host->AttachWindow(window, 0, nullptr);
  }

  ScopedHostSystem system;
  HostWindow window = reinterpret_cast<HostWindow>(0x100);
};

TEST_F(FramePeriodsTest, TimerPeriodIsTheAnswerPlusTwoWithinWhatATimerTakes) {
  struct Case {
    int32_t answer;
    uint32_t period;
  };
  const Case cases[] = {
      {30, 32},
      {0, 2},
      {-5, 2},
      {kInt32Min, 2},
      {kInt32Max - 1, 0x7FFFFFFFu},
      {kInt32Max, 0x7FFFFFFFu},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    FakeEngine::Get().runFramePeriod = c.answer;
    VisualHost::OnFrameTimer(host);
    ASSERT_FALSE(gSeen.timerPeriods.empty());
    EXPECT_EQ(gSeen.timerPeriods.back(), c.period);
    EXPECT_EQ(host->ScheduledPeriod(), c.answer);
  }
}

TEST_F(FramePeriodsTest, PumpPausesByTheAnswerPlusSixAndBrieflyAfterAFailedSend) {
  host->UsePump(false);
  gSeen.script = {{true, 20}, {true, -7}, {true, 1000000000}, {false, 0}, {true, 0}};

  EXPECT_EQ(VisualHost::RunPumpThread(host), 0u);

  // 2 while disabled; then the answers (the largest is capped at five seconds plus six).
  EXPECT_EQ(gSeen.sleeps, (std::vector<uint32_t>{2, 26, 6, 5006, 1, 6}));
  EXPECT_EQ(gSeen.sends, gSeen.script.size());
  EXPECT_EQ(gSeen.sendMessage, 0x209u);
  EXPECT_EQ(gSeen.sendWParam, 0u);
  EXPECT_EQ(gSeen.sendLParam, intptr_t(0xDEADBEEFu));
  EXPECT_EQ(gSeen.sendTimeoutMs, 300u);
}

// A timer armed on a window that is then replaced by another kind of target still runs on that
// window; stopping must reach it there, or a tick would find the host gone.
TEST_F(FramePeriodsTest, TimerIsStoppedOnTheWindowItRunsOnAfterTheTargetChanged) {
  host->Schedule(true);
  ASSERT_EQ(gSeen.timerWindows, (std::vector<HostWindow>{window}));

  const HostWindow otherWindow = reinterpret_cast<HostWindow>(0x200);
  host->AttachDC(reinterpret_cast<HostDeviceContext>(0x300), 0, nullptr);
  host->AttachWindow(otherWindow, 0, nullptr);
  host->Schedule(true);  // same period, already running: stays on the first window
  host->AttachTarget(reinterpret_cast<void*>(0x400), 0, nullptr);
  host->StopInstance();

  EXPECT_EQ(gSeen.timerWindows, (std::vector<HostWindow>{window}));
  EXPECT_EQ(gSeen.killedTimers, (std::vector<HostWindow>{window}));
}

TEST_F(FramePeriodsTest, TimerOfAHostWithoutInstanceEndsWithTheHost) {
  host->StopInstance();
  host->AttachWindow(window, 0, nullptr);
  host->Schedule(true);
  ASSERT_EQ(gSeen.timerWindows, (std::vector<HostWindow>{window}));
  gSeen.killedTimers.clear();

  host->Release();
  host = nullptr;

  EXPECT_EQ(gSeen.killedTimers, (std::vector<HostWindow>{window}));
}

}  // namespace
