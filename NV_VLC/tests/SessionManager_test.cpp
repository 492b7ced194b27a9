// The session state machine on the session thread, driven the way the filter side drives it,
// with a driver that records what the manager asked of it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "NV_VLC/SessionManager.h"
#include "NV_VLC/Tap.h"
#include "NV_VLC/tests/FakeSessionDriver.h"
#include "NV_VLC/tests/FeedTestSupport.h"

namespace {

// Lines the session wrote to filters' logs: "<filter number>: <text>".
std::vector<std::string> gFilterLines;

void RecordFilterLine(vlc_object_t* filter, bool error, const char* text) {
  gFilterLines.push_back(std::to_string(reinterpret_cast<uintptr_t>(filter)) + ": " +
                         (error ? "error: " : "") + text);
}

class SessionManagerTest : public ::testing::Test {
 protected:
  SessionManagerTest() : tapsBefore(Tap::LiveCount()), feedsBefore(AudioFeed::LiveCount()) {
    gFilterLines.clear();
  }
  ~SessionManagerTest() override {
    manager.reset();
    EXPECT_EQ(Tap::LiveCount(), tapsBefore) << "taps left behind";
    EXPECT_EQ(AudioFeed::LiveCount(), feedsBefore) << "feeds left behind";
  }

  // What Open does: a tap with the filter's and the session thread's references.
  Tap* Open(uintptr_t filterNumber, int64_t width = 0, int64_t height = 0) {
    auto feed = feed_test::MakeFeed(44100, 2);
    Tap* tap = new Tap(feed.get(), width, height, &RecordFilterLine,
                       reinterpret_cast<vlc_object_t*>(filterNumber));
    manager->HandleEvent({SessionEventKind::kTapAttached, tap, false});
    return tap;
  }
  // What Close does.
  void Close(Tap* tap, bool deselected = false) {
    tap->MarkClosed();
    manager->HandleEvent({SessionEventKind::kTapDetached, tap, deselected});
    tap->Release();
  }
  void Post(SessionEventKind kind) { manager->HandleEvent({kind, nullptr, false}); }
  void FireTimer() { manager->TimerExpired(driver.timerGeneration); }
  std::vector<std::string> Journal() { return std::exchange(driver.journal, {}); }

  int32_t tapsBefore;
  int32_t feedsBefore;
  FakeSessionDriver driver;
  std::unique_ptr<SessionManager> manager = std::make_unique<SessionManager>(driver);
};

using State = SessionManager::State;
using Lines = std::vector<std::string>;

TEST_F(SessionManagerTest, NextInputJoinsTheLingeringSession) {
  Tap* first = Open(1, 800);
  Close(first);
  Tap* second = Open(2);
  EXPECT_EQ(Journal(), (Lines{"start 800x720", "timer 4000"})) << "one session for both";
  EXPECT_EQ(manager->CurrentState(), State::kRunning);
  EXPECT_FALSE(manager->IsLingering());
  Close(second);
  FireTimer();
  EXPECT_EQ(Journal(), (Lines{"timer 4000", "stop linger elapsed", "log session: ended (linger elapsed)"}));
  EXPECT_EQ(manager->CurrentState(), State::kIdle);
  ASSERT_EQ(gFilterLines.size(), 4u);
  EXPECT_NE(gFilterLines[1].find("started a session (1 attached)"), std::string::npos) << gFilterLines[1];
  EXPECT_NE(gFilterLines[3].find("joined (1 attached)"), std::string::npos) << gFilterLines[3];
  EXPECT_EQ(gFilterLines[3].substr(0, 3), "2: ");
}

TEST_F(SessionManagerTest, LingerLengthFollowsThePlaylistsInput) {
  struct Case {
    std::vector<SessionEventKind> afterClose;
    Lines journal;
    const char* reason;
  };
  const Case cases[] = {
      {{}, {"timer 4000"}, "linger elapsed"},
      {{SessionEventKind::kInputCleared}, {"timer 4000", "timer 750"}, "playback stopped"},
      {{SessionEventKind::kInputCleared, SessionEventKind::kInputSet},
       {"timer 4000", "timer 750", "timer 4000"}, "linger elapsed"},
  };
  for (const Case& c : cases) {
    Close(Open(1));
    Journal();
    // The linger starts at the close, so the journal starts again from it.
    driver.journal.push_back("timer " + std::to_string(driver.timerMs));
    for (SessionEventKind kind : c.afterClose) Post(kind);
    EXPECT_EQ(Journal(), c.journal) << c.reason;
    FireTimer();
    EXPECT_EQ(Journal(), (Lines{std::string("stop ") + c.reason,
                                std::string("log session: ended (") + c.reason + ")"}));
    Post(SessionEventKind::kInputSet);  // the next case starts with an input
  }
}

TEST_F(SessionManagerTest, EndingEventsEndALingeringSessionAtOnce) {
  struct Case {
    SessionEventKind kind;
    const char* reason;
  };
  const Case cases[] = {
      {SessionEventKind::kNextInputHasVideo, "the next input has video"},
      {SessionEventKind::kAoutClosing, "audio output closing"},
  };
  for (const Case& c : cases) {
    Close(Open(1));
    Journal();
    Post(c.kind);
    EXPECT_EQ(Journal(), (Lines{std::string("stop ") + c.reason,
                                std::string("log session: ended (") + c.reason + ")"}));
    EXPECT_EQ(manager->CurrentState(), State::kIdle);
    // In plain Idle, or with a tap attached, the same event changes nothing.
    Post(c.kind);
    Tap* tap = Open(2);
    Post(c.kind);
    EXPECT_EQ(Journal(), (Lines{"start 1280x720"}));
    Close(tap, true);
    Journal();
  }
}

TEST_F(SessionManagerTest, DeselectingEndsTheSessionWhenItsFilterCloses) {
  Close(Open(1), /*deselected=*/true);
  EXPECT_EQ(Journal(), (Lines{"start 1280x720", "stop playback stopped or turned off",
                              "log session: ended (playback stopped or turned off)"}));
  FireTimer();  // nothing was armed
  EXPECT_EQ(Journal(), Lines{});
}

TEST_F(SessionManagerTest, StaleTimersAreIgnored) {
  Close(Open(1));
  const uint32_t stale = driver.timerGeneration;
  Tap* next = Open(2);
  manager->TimerExpired(stale);
  EXPECT_EQ(manager->CurrentState(), State::kRunning);
  Close(next);
  manager->TimerExpired(stale);
  EXPECT_TRUE(manager->IsLingering());
  FireTimer();
  EXPECT_EQ(manager->CurrentState(), State::kIdle);
}

TEST_F(SessionManagerTest, ClosedWindowStaysClosedUntilPlaybackStopsOrChosenAgain) {
  Tap* first = Open(1);
  manager->WindowClosedByUser(manager->SessionSerial() + 1);  // an older window's close
  EXPECT_EQ(manager->CurrentState(), State::kRunning);
  manager->WindowClosedByUser(manager->SessionSerial());
  EXPECT_EQ(manager->CurrentState(), State::kClosedByUser);
  Close(first);
  Tap* second = Open(2);  // the next track: still off
  EXPECT_EQ(Journal(), (Lines{"start 1280x720", "stop window closed by the user", "timer 4000"}));
  Post(SessionEventKind::kChosenAgain);
  EXPECT_EQ(manager->CurrentState(), State::kRunning);
  EXPECT_EQ(Journal(), (Lines{"start 1280x720"}));
  // Closed again, then playback stops: the linger ends the off state.
  manager->WindowClosedByUser(manager->SessionSerial());
  Close(second);
  Post(SessionEventKind::kInputCleared);
  FireTimer();
  EXPECT_EQ(manager->CurrentState(), State::kIdle);
  Close(Open(3), true);
  EXPECT_EQ(Journal(), (Lines{"stop window closed by the user", "timer 4000", "timer 750",
                              "log session: ended (playback stopped)", "start 1280x720",
                              "stop playback stopped or turned off",
                              "log session: ended (playback stopped or turned off)"}))
      << "a new session after playback stopped";
}

TEST_F(SessionManagerTest, FailedStartWaitsForTheSessionToEnd) {
  driver.failStart = true;
  Tap* first = Open(1);
  EXPECT_EQ(manager->CurrentState(), State::kStartFailed);
  EXPECT_EQ(gFilterLines.at(0),
            "1: error: engine failed to start (status 55040, session 55100) -- no window until "
            "playback stops");
  Tap* second = Open(2);
  EXPECT_EQ(manager->TapCount(), 2u);
  Close(first);
  Close(second);
  FireTimer();
  driver.failStart = false;
  Close(Open(3), true);
  // Nothing to stop when the linger ends: the start had failed.
  EXPECT_EQ(Journal(), (Lines{"start 1280x720", "timer 4000",
                              "log session: ended (linger elapsed)", "start 1280x720",
                              "stop playback stopped or turned off",
                              "log session: ended (playback stopped or turned off)"}));
}

TEST_F(SessionManagerTest, TapClosedBeforeItsAttachIsNeverListed) {
  auto feed = feed_test::MakeFeed(44100, 2);
  Tap* tap = new Tap(feed.get(), 0, 0, &RecordFilterLine, nullptr);
  tap->MarkClosed();  // Close ran before the session thread saw the attach
  tap->Release();
  manager->HandleEvent({SessionEventKind::kTapAttached, tap, false});
  manager->HandleEvent({SessionEventKind::kTapDetached, tap, false});
  EXPECT_EQ(manager->TapCount(), 0u);
  EXPECT_EQ(Journal(), Lines{});
}

TEST_F(SessionManagerTest, SessionLinesGoToTheNewestOpenFilterThenTheDriver) {
  Tap* first = Open(1);
  Tap* second = Open(2);
  manager->Log(false, "to the newest");
  second->MarkClosed();
  manager->Log(true, "to the older");
  first->MarkClosed();
  manager->Log(false, "to the driver");
  EXPECT_EQ(gFilterLines.back(), "1: error: to the older");
  EXPECT_EQ(gFilterLines[gFilterLines.size() - 2], "2: to the newest");
  EXPECT_EQ(driver.journal.back(), "log to the driver");
  manager->HandleEvent({SessionEventKind::kTapDetached, second, false});
  second->Release();
  manager->HandleEvent({SessionEventKind::kTapDetached, first, true});
  first->Release();
}

TEST_F(SessionManagerTest, EventsDuringAStartAreHandledAfterIt) {
  driver.duringStart = [this] {
    driver.duringStart = nullptr;
    manager->WindowClosedByUser(manager->SessionSerial());
    EXPECT_EQ(manager->CurrentState(), State::kIdle) << "not handled inside the start";
  };
  Tap* tap = Open(1);
  EXPECT_EQ(manager->CurrentState(), State::kClosedByUser);
  Close(tap, true);
}

TEST_F(SessionManagerTest, FeedsOfLaterTapsWaitBehindTheFirst) {
  Tap* first = Open(1);
  Tap* second = Open(2);
  VlcVisualHost* host = manager->Host();
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->ActiveFeed(), first->Feed());
  EXPECT_EQ(host->WaitingCount(), 1u);
  const std::string waiting = "feed: tap #" + std::to_string(second->Feed()->Number()) +
                              " waiting behind #" + std::to_string(first->Feed()->Number());
  EXPECT_NE(std::find(gFilterLines.begin(), gFilterLines.end(), "2: " + waiting),
            gFilterLines.end());
  // The waiting one leaves first: it is dropped from the host at once.
  Close(second);
  EXPECT_EQ(host->WaitingCount(), 0u);
  Close(first, true);
}

}  // namespace
