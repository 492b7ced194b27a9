// Several filters opening, feeding and closing at once on their own threads while a session
// loop handles what they post and asks the running session's host for audio, as the session
// thread does. Run under AddressSanitizer and UndefinedBehaviorSanitizer (and ThreadSanitizer
// in a tree of its own): no crash, no deadlock, and every tap, feed and message released.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "NV_VLC/FilterCallbacks.h"
#include "NV_VLC/SessionLink.h"
#include "NV_VLC/SessionManager.h"
#include "NV_VLC/SessionQueue.h"
#include "NV_VLC/Tap.h"
#include "NV_VLC/VlcVisualHost.h"
#include "NV_VLC/tests/FakeSessionDriver.h"
#include "NV_VLC/tests/FakeVlcCore.h"

namespace {

SessionQueue* gQueue = nullptr;

void QueueEvent(const SessionEvent& event) {
  auto* message = new SessionMessage();
  message->event = event;
  gQueue->Append(message);
}

const SessionLinkCalls kQueueLink = {
    [] { return true; },
    &QueueEvent,
    [](SessionEventKind kind) { QueueEvent({kind, nullptr, false}); },
};

// One round of the session loop: the queued events, then a frame's audio request.
void SessionRound(SessionManager& manager, int64_t nowMs) {
  for (SessionMessage* message = gQueue->TakeAll(); message != nullptr;) {
    SessionMessage* next = message->next;
    manager.HandleEvent(message->event);
    ReleaseSessionMessage(message, nullptr);
    message = next;
  }
  if (VlcVisualHost* host = manager.Host()) {
    host->SwitchFeeds();
    float samples[512];
    float bands[32];
    SpectrumParams params{60.0f, 8000.0f, 8.0f, 0.02f, 0.07f, 0};
    AudioRequest request{};
    request.size = sizeof(request);
    request.samplesWanted = 512;
    request.samples = samples;
    request.bandsWanted = 32;
    request.spectrumParams = &params;
    request.bands = bands;
    request.requestTimeMs = nowMs;
    host->HandleGetS(&request);
  }
}

TEST(SessionStress, FiltersComeAndGoOnManyThreadsWithTheSessionRunning) {
  const int32_t tapsBefore = Tap::LiveCount();
  const int32_t feedsBefore = AudioFeed::LiveCount();
  const int32_t messagesBefore = LiveSessionMessages();
  {
    FakeVlcCore vlc;
    SessionQueue queue;
    gQueue = &queue;
    const SessionLinkCalls* previousLink = SetSessionLink(&kQueueLink);
    vlc_object_t* playlist = VLC_OBJECT(vlc.MakeObject<playlist_t>("playlist", nullptr));
    vlc_object_t* output = VLC_OBJECT(vlc.MakeObject<audio_output_t>("audio output", playlist));
    vlc.CreateVariable(output, "audio-visual", VLC_VAR_STRING);
    vlc.CreateVariable(output, "volume", VLC_VAR_FLOAT);
    vlc.CreateVariable(playlist, "input-current", VLC_VAR_ADDRESS);
    vlc.SetOption("glimmora-audio-only", VLC_VAR_BOOL, 0);

    constexpr int kThreads = 4;
    constexpr int kRounds = 40;
    std::vector<filter_t*> filters;  // made here: the fake's object list is not shared
    for (int i = 0; i < kThreads * kRounds; ++i) {
      filter_t* filter = vlc.MakeObject<filter_t>("visualization", output);
      filter->fmt_in.audio.i_rate = (i % 2 == 0) ? 48000 : 44100;
      filter->fmt_in.audio.i_physical_channels =
          (i % 3 == 0) ? AOUT_CHANS_5_1 : (AOUT_CHAN_LEFT | AOUT_CHAN_RIGHT);
      filters.push_back(filter);
    }

    FakeSessionDriver driver;
    std::atomic<bool> filtersDone{false};
    std::thread session([&] {
      SessionManager manager(driver);
      int64_t nowMs = 1;
      while (!filtersDone.load()) {
        SessionRound(manager, nowMs += 5);
        std::this_thread::yield();
      }
      SessionRound(manager, nowMs);
      // The last filter has gone: end the lingering session as its timer would.
      manager.TimerExpired(driver.timerGeneration);
      EXPECT_EQ(manager.TapCount(), 0u);
    });

    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
      workers.emplace_back([&, t] {
        std::vector<float> block(6 * 2048, 0.25f);
        for (int r = 0; r < kRounds; ++r) {
          filter_t* filter = filters[size_t(t * kRounds + r)];
          ASSERT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_SUCCESS);
          block_t vlcBlock{};
          vlcBlock.p_buffer = reinterpret_cast<uint8_t*>(block.data());
          vlcBlock.i_nb_samples = 2048;
          for (int b = 0; b < 5; ++b) {
            vlcBlock.i_pts = vlc.now + 100000;
            ASSERT_EQ(filter->pf_audio_filter(filter, &vlcBlock), &vlcBlock);
          }
          CloseFilter(VLC_OBJECT(filter));
        }
      });
    }
    for (std::thread& worker : workers) worker.join();
    filtersDone = true;
    session.join();
    EXPECT_EQ(driver.host, nullptr);
    SetSessionLink(previousLink == &DefaultSessionLink() ? nullptr : previousLink);
    gQueue = nullptr;
  }
  EXPECT_EQ(Tap::LiveCount(), tapsBefore);
  EXPECT_EQ(AudioFeed::LiveCount(), feedsBefore);
  EXPECT_EQ(LiveSessionMessages(), messagesBefore);
}

}  // namespace
