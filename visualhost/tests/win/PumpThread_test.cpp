// The pump thread with the reference engine: a real thread asks a real window for frames, and
// the test's own message loop answers for the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "visualhost/host/HostDescriptors.h"
#include "visualhost/tests/win/RecordingHostSystem.h"
#include "visualhost/tests/win/ReferenceEngineHost.h"

namespace {

constexpr uint32_t kPumpMessage = 0x209;
constexpr intptr_t kPumpMark = intptr_t(0xDEADBEEFu);

class PumpThreadTest : public ReferenceEngineTest {
 protected:
  void SetUp() override {
    // This host answers audio, so the engine asks for it from inside every RunFrame.
    ASSERT_NO_FATAL_FAILURE(StartHost(HostDescriptor::kWindowsMediaPlayer));
    host->SetUsePumpThread(true);
  }

  // A pump thread driving a window of this thread.
  HWND PumpedWindow(bool enabled) {
    host->SetPumpEnabled(enabled);
    HWND window = Window();
    host->AttachWindow(window, 0, nullptr);
    host->Schedule(true);
    return window;
  }

  bool FramesKeepComing(size_t more) {
    const size_t target = Count("RunFrame") + more;
    return PumpMessagesUntil([&] { return Count("RunFrame") >= target; });
  }

  // The host stops; the thread must have returned by itself, not been ended.
  void ExpectThreadEndsWithTheInstance() {
    host->StopInstance();
    EXPECT_EQ(host->Instance(), 0u);
    EXPECT_EQ(host->PumpThread(), nullptr);
    const SystemRecord record = system.Snapshot();
    ASSERT_EQ(record.threadsEnded.size(), 1u);
    EXPECT_EQ(record.threadsEnded[0].thread, record.threadsCreated.at(0));
    EXPECT_EQ(record.threadsEnded[0].timeoutMs, 8000u);
    EXPECT_TRUE(record.threadsEnded[0].endedByItself);
    EXPECT_EQ(record.threadsEnded[0].exitCode, 0u);
  }

  RecordingHostSystem system;
};

TEST_F(PumpThreadTest, FramesRunOnTheWindowsThreadAtTheEnginesPacePlusSix) {
  control->SetRunFramePeriod(20);
  HWND window = PumpedWindow(true);
  ASSERT_TRUE(FramesKeepComing(5));
  ASSERT_TRUE(PumpMessagesUntil([&] { return system.SleepsOf(26) >= 2; }));

  // The engine was called on this thread, the window's, never on the pump thread.
  const std::vector<DWORD> audioThreads = host->AudioRequestThreads();
  ASSERT_FALSE(audioThreads.empty());
  for (DWORD thread : audioThreads) EXPECT_EQ(thread, GetCurrentThreadId());

  const SystemRecord record = system.Snapshot();
  ASSERT_EQ(record.threadsCreated.size(), 1u);
  EXPECT_NE(record.threadsCreated[0], nullptr);
  EXPECT_EQ(host->PumpThread(), record.threadsCreated[0]);
  EXPECT_TRUE(record.timersSet.empty()) << "pump mode must not arm the window timer";
  ASSERT_FALSE(record.sends.empty());
  for (const PumpSend& send : record.sends) {
    EXPECT_NE(send.threadId, GetCurrentThreadId());
    EXPECT_EQ(send.window, window);
    EXPECT_EQ(send.message, kPumpMessage);
    EXPECT_EQ(send.wParam, 0u);
    EXPECT_EQ(send.lParam, kPumpMark);
    EXPECT_EQ(send.timeoutMs, 300u);
    if (send.succeeded) {
      EXPECT_EQ(send.result, 20);
    }
  }

  // Pacing on and off again keeps the one thread.
  host->Schedule(false);
  host->Schedule(true);
  EXPECT_EQ(system.Snapshot().threadsCreated.size(), 1u);
  ExpectThreadEndsWithTheInstance();
}

TEST_F(PumpThreadTest, DisabledPumpPollsWithoutTouchingTheWindowUntilEnabled) {
  PumpedWindow(false);
  ASSERT_TRUE(PumpMessagesUntil([&] { return system.SleepsOf(2) >= 10; }));
  EXPECT_EQ(system.Sends(), 0u);
  EXPECT_EQ(Count("RunFrame"), 0u);
  const SystemRecord idle = system.Snapshot();
  for (uint32_t sleep : idle.sleeps) EXPECT_EQ(sleep, 2u);

  host->SetPumpEnabled(true);
  ASSERT_TRUE(FramesKeepComing(3));
  EXPECT_GT(system.Sends(), 0u);
  ExpectThreadEndsWithTheInstance();
}

TEST_F(PumpThreadTest, WithoutAWindowThePumpWaitsLongerAndStillEnds) {
  PumpedWindow(true);
  ASSERT_TRUE(FramesKeepComing(2));
  host->DetachTarget();
  ASSERT_TRUE(PumpMessagesUntil([&] { return system.SleepsOf(300) >= 1; }));
  const size_t sendsWithoutWindow = system.Sends();
  PumpMessagesFor(100);
  EXPECT_EQ(system.Sends(), sendsWithoutWindow);
  ExpectThreadEndsWithTheInstance();
}

TEST_F(PumpThreadTest, WindowThreadThatDoesNotAnswerCostsAFrameAndThePumpRetries) {
  PumpedWindow(true);
  ASSERT_TRUE(FramesKeepComing(2));
  // This thread stops dispatching: the pump's sends time out.
  const ULONGLONG end = GetTickCount64() + 5000;
  auto failedAndRetried = [&] {
    bool failed = false;
    for (const PumpSend& send : system.Snapshot().sends) failed = failed || !send.succeeded;
    return failed && system.SleepsOf(1) >= 1;
  };
  while (!failedAndRetried() && GetTickCount64() < end) Sleep(50);
  ASSERT_TRUE(failedAndRetried());

  // Answering again brings the frames back.
  ASSERT_TRUE(FramesKeepComing(2));
  ExpectThreadEndsWithTheInstance();
}

}  // namespace
