// The requests the engine sends its host while it runs frames.
#include <set>

#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

bool IsContractEngineRequest(uint32_t code) {
  static const std::set<uint32_t> kCodes = {EngineRequest::kFullscreenEnded,
                                            EngineRequest::kFullscreenHost,
                                            EngineRequest::kFullscreenPrepare,
                                            EngineRequest::kFullscreenStarted,
                                            EngineRequest::kGetArt,
                                            EngineRequest::kGetSamples,
                                            EngineRequest::kReleaseArt};
  return kCodes.count(code) != 0;
}

TEST_F(EngineTest, AudioIsAskedForOnlyWhenTheHostHasIt) {
  struct Case {
    int hostAudio;
    size_t getSamplesPerFrame;
  };
  for (const Case& c : {Case{1, 1}, Case{0, 0}}) {
    SCOPED_TRACE(c.hostAudio);
    mControl->Reset();
    FakeHost host;
    host.samplesToDeliver = 100;
    const uint32_t instance = Create(&host, c.hostAudio);
    for (int i = 0; i < 3; ++i) Table()->RunFrame(instance, nullptr, nullptr);
    const auto asks = EntriesOf(Journal(), "Callback", "GetS");
    ASSERT_EQ(asks.size(), 3 * c.getSamplesPerFrame);
    for (const JournalEntry& ask : asks) {
      EXPECT_EQ(ask.Get("samplesWanted"), "512");
      EXPECT_EQ(ask.Get("bandsWanted"), "64");
      EXPECT_EQ(ask.Get("samplesDelivered"), "100");
      EXPECT_EQ(ask.Get("bandsDelivered"), "64");
      EXPECT_EQ(ask.Number("instance"), instance);
    }
    for (uint32_t code : host.codes) EXPECT_TRUE(IsContractEngineRequest(code)) << code;
  }
}

TEST_F(EngineTest, ArtIsAskedForAfterEachTrackAndGivenBack) {
  static const char kPath[] = "C:\\covers\\a.jpg";
  FakeHost host;
  host.artToGive.kind = ArtKind::kUtf8Path;
  host.artToGive.payload.utf8Path = kPath;
  const uint32_t instance = Create(&host, 0);
  Table()->RunFrame(instance, nullptr, nullptr);
  Table()->RunFrame(instance, nullptr, nullptr);
  TrackRecord track{};
  track.size = TrackRecord::kSize;
  Table()->Request(instance, HostRequest::kTrack, &track, nullptr);
  Table()->RunFrame(instance, nullptr, nullptr);

  const auto journal = Journal();
  const auto gets = EntriesOf(journal, "Callback", "GArt");
  const auto releases = EntriesOf(journal, "Callback", "RArt");
  ASSERT_EQ(gets.size(), 2u);  // the first frame and the frame after the track
  ASSERT_EQ(releases.size(), 2u);
  EXPECT_EQ(gets[0].Get("kind"), "Fil8");
  EXPECT_EQ(gets[0].Get("path"), kPath);
  EXPECT_EQ(releases[1].Get("raw"), gets[1].Get("raw"));
  EXPECT_EQ(host.artReleased, 2);
}

TEST_F(EngineTest, ArtTheHostDoesNotHaveIsNotGivenBack) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  Table()->RunFrame(instance, nullptr, nullptr);
  const auto gets = EntriesOf(Journal(), "Callback", "GArt");
  ASSERT_EQ(gets.size(), 1u);
  EXPECT_EQ(gets[0].Number("status"), NVStatus::kNoAlbumArt);
  EXPECT_TRUE(EntriesOf(Journal(), "Callback", "RArt").empty());
}

TEST_F(EngineTest, RequestsDuringAFrameComeBeforeItsLine) {
  FakeHost host;
  const uint32_t instance = Create(&host, 1);
  Table()->RunFrame(instance, nullptr, nullptr);
  const auto journal = Journal();
  ASSERT_GE(journal.size(), 3u);
  EXPECT_EQ(journal[journal.size() - 1].call, "RunFrame");
  EXPECT_EQ(journal[journal.size() - 2].call, "Callback");
}

}  // namespace
}  // namespace refengine_test
