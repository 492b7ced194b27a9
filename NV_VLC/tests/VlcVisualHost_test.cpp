// The session's host on a fake engine: which feed supplies the audio, when another takes
// over, and what the engine receives of the active feed's track and cover.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "NV_VLC/VlcVisualHost.h"
#include "NV_VLC/tests/FeedTestSupport.h"
#include "visualhost/tests/FakeEngineHostTest.h"

namespace {

using feed_test::MakeFeed;
using feed_test::Request;

std::vector<std::string> gHostLines;
void RecordHostLine(void*, const char* text) { gHostLines.push_back(text); }

class VlcVisualHostTest : public FakeEngineHostTest<VlcVisualHost> {
 protected:
  void SetUp() override {
    FakeEngineHostTest::SetUp();
    gHostLines.clear();
    host->SetLogSink(&RecordHostLine, nullptr);
    engine.answers[HostRequest::kTrack] = {0};
    engine.answers[HostRequest::kCoverArt] = {0};
    engine.answers[HostRequest::kIsFullscreen] = {0};
  }

  // Gives the feed audio the engine can read at time 1000 ms.
  static void Fill(AudioFeed& feed) {
    Request start(1000, 0);
    feed.Read(start.record);
    const std::vector<float> frames(2 * 4410, 0.25f);
    feed.Push(frames.data(), 4410, 0);
  }

  std::vector<std::string> Lines() { return std::exchange(gHostLines, {}); }
  static std::string Number(const CountedRef<AudioFeed>& feed) {
    return std::to_string(feed->Number());
  }
};

TEST_F(VlcVisualHostTest, WaitingFeedWithDataTakesOverFromAGoneOrDryFeed) {
  enum Active { kNone, kFine, kDetached, kDry };
  struct Case {
    Active active;
    bool waitingHasData;
    const char* reason;  // null: no switch
  };
  const Case cases[] = {
      {kFine, true, nullptr},       {kDetached, true, "detached"}, {kDry, true, "dry"},
      {kDetached, false, nullptr},  {kDry, false, nullptr},        {kNone, true, "none active"},
  };
  for (const Case& c : cases) {
    VlcVisualHost* fresh = new VlcVisualHost();
    fresh->SetLogSink(&RecordHostLine, nullptr);
    auto first = MakeFeed(44100, 2);
    auto second = MakeFeed(44100, 2);
    Fill(*first);
    fresh->AddFeed(first.get());
    fresh->AddFeed(second.get());
    if (c.waitingHasData) Fill(*second);
    if (c.active == kDetached) fresh->MarkActiveDetached();
    if (c.active == kDry) {
      Request late(1000 + 5000, 64);  // long after the last write: nothing to hear
      fresh->HandleGetS(&late.record);
      ASSERT_TRUE(fresh->IsActiveDry());
    }
    if (c.active == kNone) {
      // The only way to have no active feed with one waiting: a host whose first feed left.
      fresh->Release();
      fresh = new VlcVisualHost();
      fresh->SetLogSink(&RecordHostLine, nullptr);
      fresh->AddFeed(second.get());
      Lines();
      fresh->SwitchFeeds();
      EXPECT_EQ(fresh->ActiveFeed(), second.get());
      fresh->Release();
      continue;
    }
    Lines();
    fresh->SwitchFeeds();
    const std::vector<std::string> lines = Lines();
    if (c.reason == nullptr) {
      EXPECT_EQ(fresh->ActiveFeed(), first.get()) << c.active << c.waitingHasData;
      EXPECT_TRUE(lines.empty());
    } else {
      EXPECT_EQ(fresh->ActiveFeed(), second.get()) << c.reason;
      EXPECT_EQ(lines, std::vector<std::string>{"feed: tap #" + Number(first) + " -> #" +
                                                Number(second) + " (" + c.reason + ")"});
      EXPECT_EQ(fresh->WaitingCount(), 0u);
    }
    fresh->Release();
  }
}

TEST_F(VlcVisualHostTest, AudioComesFromTheActiveFeedAndWaitingFeedsKeepTheClock) {
  auto first = MakeFeed(44100, 2);
  auto second = MakeFeed(44100, 2);
  Fill(*first);
  host->AddFeed(first.get());
  host->AddFeed(second.get());
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "feed: tap #" + Number(first) + " active",
                         "feed: tap #" + Number(second) + " waiting behind #" + Number(first)}));

  Request request(1000 + 120, 256, 16);  // the newest samples are being heard
  EXPECT_EQ(host->HandleGetS(&request.record), NVStatus::kOk);
  EXPECT_EQ(request.record.samplesDelivered, 256);
  EXPECT_EQ(request.record.bandsDelivered, 16);
  EXPECT_NEAR(request.samples[255], 0.9f * 0.25f, 1e-6f);
  EXPECT_FALSE(host->IsActiveDry());

  // The waiting feed got the engine's clock from that request: its writes now hold audio.
  const std::vector<float> frames(2 * 4410, 0.5f);
  second->Push(frames.data(), 4410, 0);
  Request direct(1000, 8);
  second->Read(direct.record);
  EXPECT_EQ(direct.record.samplesDelivered, 8);

  EXPECT_EQ(host->HandleGetS(nullptr), NVStatus::kNotHandled);
}

TEST_F(VlcVisualHostTest, WithoutActiveFeedAudioRequestsAreNotHandled) {
  Request request(1000, 64);
  EXPECT_EQ(host->HandleGetS(&request.record), NVStatus::kNotHandled);
  EXPECT_EQ(request.record.samplesDelivered, 0);
}

TEST_F(VlcVisualHostTest, ActiveFeedsTrackAndCoverReachTheEngineBeforeAFrame) {
  std::vector<ArtRecord> covers;
  std::vector<std::string> coverPaths;
  engine.respond = [&](uint32_t code, void* in, void*) -> int64_t {
    if (code == HostRequest::kCoverArt) {
      covers.push_back(*static_cast<ArtRecord*>(in));
      coverPaths.push_back(covers.back().kind != 0 ? covers.back().payload.utf8Path : "");
    }
    return 0;
  };
  auto first = MakeFeed(44100, 2);
  auto second = MakeFeed(44100, 2);
  first->Meta().Update("Title", "Artist", "Album", "file:///c/cover.jpg");
  second->Meta().Update("Other", "", "", "");
  host->AddFeed(first.get());
  host->AddFeed(second.get());
  host->Step();

  const std::vector<FakeEngineCall> tracks = engine.RequestsOf(HostRequest::kTrack);
  ASSERT_EQ(tracks.size(), 1u) << "only the active feed's track";
  TrackRecord track;
  std::memcpy(&track, tracks[0].record.data(), sizeof(track));
  EXPECT_EQ(std::u16string(track.title), u"Title");
  EXPECT_EQ(std::u16string(track.artist), u"Artist");
  EXPECT_EQ(std::u16string(track.album), u"Album");
  EXPECT_EQ(track.year, 0);
  ASSERT_EQ(covers.size(), 1u);
  EXPECT_EQ(covers[0].kind, ArtKind::kUtf8Path);
  EXPECT_EQ(coverPaths[0], "file:///c/cover.jpg");

  // Nothing new: nothing sent. A changed title alone sends the track and the cover again.
  host->Step();
  EXPECT_EQ(engine.RequestsOf(HostRequest::kTrack).size(), 1u);
  first->Meta().Update("Next", "Artist", "Album", "file:///c/cover.jpg");
  host->Step();
  EXPECT_EQ(engine.RequestsOf(HostRequest::kTrack).size(), 2u);
  EXPECT_EQ(covers.size(), 2u);

  // The waiting feed's track goes out once it is active; its empty cover clears the art.
  Fill(*second);
  host->MarkActiveDetached();
  host->Step();
  const std::vector<FakeEngineCall> after = engine.RequestsOf(HostRequest::kTrack);
  ASSERT_EQ(after.size(), 3u);
  std::memcpy(&track, after[2].record.data(), sizeof(track));
  EXPECT_EQ(std::u16string(track.title), u"Other");
  EXPECT_EQ(covers.back().kind, 0u);
  EXPECT_EQ(host->Art().Length(), 0);
}

TEST_F(VlcVisualHostTest, EngineAsksForTheCover) {
  EXPECT_EQ(host->HandleGArt(nullptr), 55011);
  ArtRecord record{};
  EXPECT_EQ(host->HandleGArt(&record), NVStatus::kNoAlbumArt);
  auto feed = MakeFeed(44100, 2);
  feed->Meta().Update("t", "", "", "file:///art.png");
  host->AddFeed(feed.get());
  engine.respond = [](uint32_t, void*, void*) -> int64_t { return 0; };
  host->Step();
  EXPECT_EQ(host->HandleGArt(&record), NVStatus::kOk);
  EXPECT_EQ(record.kind, ArtKind::kUtf8Path);
  EXPECT_STREQ(record.payload.utf8Path, "file:///art.png");
}

}  // namespace
