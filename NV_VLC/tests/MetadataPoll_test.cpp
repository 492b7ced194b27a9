// The metadata poll DoWork runs: which texts it takes from the playing item, what it leaves
// out, when it polls, and what reaches the feed's holder and the log.
#include <gtest/gtest.h>

#include <string>

#include "NV_VLC/MetadataPoll.h"
#include "NV_VLC/tests/FakeVlcCore.h"

namespace {

class MetadataPollTest : public ::testing::Test {
 protected:
  MetadataPollTest() {
    playlist = vlc.MakeObject<playlist_t>("playlist", nullptr);
    auto* output = vlc.MakeObject<audio_output_t>("audio output", VLC_OBJECT(playlist));
    filter = VLC_OBJECT(vlc.MakeObject<filter_t>("visualization", VLC_OBJECT(output)));
    input = vlc.MakeObject<input_thread_t>("input", nullptr);
  }

  // Plays an item with these texts (type → text) and the name.
  input_item_t* Play(const char* name, std::map<int, std::string> texts) {
    metas.emplace_back(new FakeVlcCore::Meta{std::move(texts)});
    input_item_t* item = vlc.MakeItem(name, metas.back().get());
    vlc.SetCurrentInput(input, item);
    return item;
  }

  void PollAt(mtime_t now) {
    vlc.now = now;
    PollTrackMeta(filter, now, state, holder);
  }

  TrackMetaHolder::Texts TakeTexts(uint32_t* bits) {
    TrackMetaHolder::Texts texts;
    *bits = holder.TakePending(&texts);
    return texts;
  }

  FakeVlcCore vlc;
  playlist_t* playlist = nullptr;
  vlc_object_t* filter = nullptr;
  input_thread_t* input = nullptr;
  std::vector<std::unique_ptr<FakeVlcCore::Meta>> metas;
  MetaPollState state;
  TrackMetaHolder holder;
};

TEST_F(MetadataPollTest, TitleComesFromNowPlayingThenStreamThenTitleThenName) {
  const std::string exact(255, 't');
  const std::string tooLong(256, 'l');
  struct Case {
    std::map<int, std::string> texts;
    const char* name;
    const char* title;
  };
  const Case cases[] = {
      {{{vlc_meta_NowPlaying, "now"}, {vlc_meta_ESNowPlaying, "es"}, {vlc_meta_Title, "t"}},
       "n", "now"},
      {{{vlc_meta_ESNowPlaying, "es"}, {vlc_meta_Title, "t"}}, "n", "es"},
      {{{vlc_meta_NowPlaying, ""}, {vlc_meta_Title, "t"}}, "n", "t"},
      {{}, "file.wav", "file.wav"},
      {{{vlc_meta_Title, exact}}, "n", exact.c_str()},   // 255 bytes are used
      {{{vlc_meta_Title, tooLong}}, "n", "n"},           // 256 are dropped: the name instead
  };
  mtime_t now = 1000000;
  for (size_t i = 0; i < std::size(cases); ++i) {
    Play(cases[i].name, cases[i].texts);
    state = MetaPollState{};
    PollAt(now += 1000000);
    uint32_t bits = 0;
    EXPECT_EQ(std::string(TakeTexts(&bits).title.Text()), cases[i].title) << "case " << i;
  }
}

TEST_F(MetadataPollTest, OnlyLocalArtIsHandedOnAndOtherArtIsMarkedUnusable) {
  const std::string longArt = "file://" + std::string(2041, 'a');  // 2048 bytes
  struct Case {
    std::string art;
    std::string handedOn;
    const char* logSuffix;
  };
  const Case cases[] = {
      {"file:///music/cover.jpg", "file:///music/cover.jpg", ""},
      {"https://example.org/cover.jpg", "", "  [unusable]"},
      {"", "", "  [unusable]"},
      {longArt, "", "  [unusable]"},
  };
  mtime_t now = 1000000;
  for (size_t i = 0; i < std::size(cases); ++i) {
    vlc.log.clear();
    Play("name", {{vlc_meta_Title, "T" + std::to_string(i)}, {vlc_meta_Artist, "A"},
                  {vlc_meta_Album, "B"}, {vlc_meta_ArtworkURL, cases[i].art}});
    PollAt(now += 3000000);
    uint32_t bits = 0;
    EXPECT_EQ(std::string(TakeTexts(&bits).art.Text()), cases[i].handedOn) << "case " << i;
    const std::string shownArt = cases[i].art.size() < 2048 ? cases[i].art : "";
    EXPECT_EQ(vlc.LinesOf("PublishItemMeta"),
              std::vector<std::string>{"track: title='T" + std::to_string(i) +
                                       "' artist='A' album='B' art='" + shownArt + "'" +
                                       cases[i].logSuffix})
        << "case " << i;
  }
}

TEST_F(MetadataPollTest, PollsEveryHalfSecondFor15sAfterAChangeThenEvery2s) {
  FakeVlcCore::Meta* meta = nullptr;
  Play("name", {{vlc_meta_NowPlaying, "first"}});
  meta = metas.back().get();
  const mtime_t start = 10000000;
  PollAt(start);  // the first poll publishes: fast polling for 15 s
  uint32_t bits = 0;
  TakeTexts(&bits);
  EXPECT_EQ(bits, 3u);

  // A change made now is seen by the next poll, half a second later.
  meta->texts[vlc_meta_NowPlaying] = "second";
  for (mtime_t t = start + 100000; t <= start + 400000; t += 100000) PollAt(t);
  EXPECT_EQ(holder.TakePending(nullptr), 0u);
  PollAt(start + 500000);
  EXPECT_EQ(std::string(TakeTexts(&bits).title.Text()), "second");
  EXPECT_EQ(bits, 1u);
  EXPECT_EQ(state.nextPoll, start + 1000000);

  // Without changes, from 15 s after the last change the polls are 2 s apart: the poll at
  // 15.5 s is the first slow one.
  for (mtime_t t = start + 600000; t <= start + 17000000; t += 100000) PollAt(t);
  EXPECT_EQ(state.nextPoll, start + 17500000);
  meta->texts[vlc_meta_NowPlaying] = "third";
  PollAt(start + 17400000);
  EXPECT_EQ(holder.TakePending(nullptr), 0u) << "no poll before 17.5 s";
  PollAt(start + 17500000);
  EXPECT_EQ(std::string(TakeTexts(&bits).title.Text()), "third");
}

TEST_F(MetadataPollTest, SameItemWithSameTextsIsNotLoggedAgainButANewItemIs) {
  Play("name", {{vlc_meta_Title, "same"}});
  PollAt(1000000);
  PollAt(1600000);
  EXPECT_EQ(vlc.LinesOf("PublishItemMeta").size(), 1u);
  Play("name", {{vlc_meta_Title, "same"}});  // another item, same texts
  PollAt(2200000);
  EXPECT_EQ(vlc.LinesOf("PublishItemMeta").size(), 2u);
  uint32_t bits = 0;
  TakeTexts(&bits);
  EXPECT_EQ(bits, 3u) << "the holder's first update reports everything";
}

TEST_F(MetadataPollTest, WithoutPlaylistInputOrMetadataNothingChanges) {
  vlc.SetCurrentInput(nullptr, nullptr);
  PollAt(1000000);
  EXPECT_EQ(holder.TakePending(nullptr), 0u);
  // No playlist above the filter.
  vlc_object_t* lonely = VLC_OBJECT(vlc.MakeObject<filter_t>("visualization", nullptr));
  PollTrackMeta(lonely, 5000000, state, holder);
  EXPECT_EQ(holder.TakePending(nullptr), 0u);
  // An item without metadata: its name is the title.
  input_item_t* item = vlc.MakeItem("bare.wav", nullptr);
  vlc.SetCurrentInput(input, item);
  PollAt(9000000);
  uint32_t bits = 0;
  EXPECT_EQ(std::string(TakeTexts(&bits).title.Text()), "bare.wav");
}

}  // namespace
