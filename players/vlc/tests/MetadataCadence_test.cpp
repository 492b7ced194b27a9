// How often the built module reads the playing item's metadata, on the stand-in core's driven
// clock: every 0.5 s for 15 s after the track starts or its texts change, then every 2 s. The
// reads are the stand-in's record of input_GetItem calls, which only the poll in DoWork makes.
#include <cstdint>
#include <string>
#include <vector>

#include "players/vlc/tests/VlcModuleFixture.h"
#include "testsupport/win/Waiting.h"

namespace {

using namespace refengine_journal;

constexpr int64_t kMs = 1000;  // the clock is in microseconds

std::vector<int64_t> ItemReadTimesMs() {
  std::vector<int64_t> times;
  for (int32_t i = 0; i < StandIn_ItemReadCount(); ++i) times.push_back(StandIn_ItemReadTime(i) / kMs);
  return times;
}

// The times from `from` to `to` (both included) in steps of `step`, in milliseconds.
void AppendSteps(std::vector<int64_t>& times, int64_t from, int64_t to, int64_t step) {
  for (int64_t t = from; t <= to; t += step) times.push_back(t);
}

TEST_F(VlcModuleTest, MetadataIsPolledFastAfterEachChangeAndSlowlyInBetween) {
  ASSERT_TRUE(ModuleProduct().ok());
  input_item_t* item = StandIn_NewItem("radio stream");
  StandIn_SetMeta(item, vlc_meta_Title, "Station");
  vlc_object_t* input = StandIn_NewObject("input", nullptr, sizeof(input_thread_t));
  StandIn_SetInteger(input, "video-es", -1);
  StandIn_SetCurrentInput(input, item);
  filter_t* filter = OpenFilter(nullptr, 44100, AOUT_CHANS_STEREO);  // at 1 s

  // VLC's audio thread: a block every 100 ms of the driven clock for 39 s. The stream's
  // now-playing text changes at 20 s.
  AudioBlock audio(2, 441, 0.1f);
  for (int64_t nowMs = 1000; nowMs <= 40000; nowMs += 100) {
    if (nowMs == 20000) StandIn_SetMeta(item, vlc_meta_NowPlaying, "A Song");
    StandIn_SetClock(nowMs * kMs);
    audio.block.i_pts = (nowMs + 200) * kMs;
    Feed(filter, audio);
  }

  std::vector<int64_t> expected;
  AppendSteps(expected, 1000, 16000, 500);   // the track starts at 1 s
  AppendSteps(expected, 18000, 20000, 2000);  // then every 2 s, until 20 s sees the change
  AppendSteps(expected, 20500, 35000, 500);
  AppendSteps(expected, 37000, 39000, 2000);
  EXPECT_EQ(ItemReadTimesMs(), expected);

  // Each change was published, and nothing in between.
  std::vector<std::string> tracks;
  for (const std::string& line : StandInLog()) {
    if (line.find("PublishItemMeta: track: ") != std::string::npos) tracks.push_back(line);
  }
  ASSERT_EQ(tracks.size(), 2u);
  EXPECT_NE(tracks[0].find("title='Station'"), std::string::npos);
  EXPECT_NE(tracks[1].find("title='A Song'"), std::string::npos);
  EXPECT_TRUE(WaitUntil([] {
    for (const JournalEntry& entry : EntriesOf(Journal(), "Request", "Trck")) {
      if (entry.Get("title") == "A Song") return true;
    }
    return false;
  }));

  Deselect();
  Close(filter);
  StandIn_SetCurrentInput(nullptr, nullptr);
}

}  // namespace
