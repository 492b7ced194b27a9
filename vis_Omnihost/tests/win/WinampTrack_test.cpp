// Track data from the player to the engine's 'Trck', end to end: from the extended messages of
// jetAudio and MediaMonkey, from the extended file information, and from the playlist title
// split at " - " or " / " (or whole without either); a new track publishes once, and a stream
// whose title changes publishes 300 ms after the change, once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "players/winamp/StandInControl.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

namespace {

using refengine_journal::JournalEntry;
namespace call = winamp_standin::call;
namespace command = winamp::command;

// Fields a case leaves out are empty.
struct TrackFields {
  std::string playlist = {};
  std::string infoArtist = {};
  std::string infoAlbum = {};
  std::string infoTitle = {};
  std::string infoYear = {};
  std::string extTitle = {};
  std::string extArtist = {};
  std::string extAlbum = {};
};

struct Published {
  std::string title, artist, album;
  int64_t year;
};

struct TrackCase {
  const char* name;
  TrackFields fields;
  Published expected;
};

// Every field given, so nothing of an earlier case stays.
StandInCommand TrackCommand(int64_t position, const TrackFields& fields) {
  StandInCommand command("Track");
  command.Number("position", position)
      .Number("length", 180)
      .Text("file", "C:/Music/track" + std::to_string(position) + ".mp3")
      .Text("title", fields.playlist)
      .Text("playlist", fields.playlist)
      .Text("info.artist", fields.infoArtist)
      .Text("info.album", fields.infoAlbum)
      .Text("info.title", fields.infoTitle)
      .Text("info.year", fields.infoYear)
      .Text("ext.title", fields.extTitle)
      .Text("ext.artist", fields.extArtist)
      .Text("ext.album", fields.extAlbum);
  return command;
}

// Waits for a 'Trck' beyond the first `earlier` ones; the first such, or an empty entry.
JournalEntry NextTrack(const StandInPlayerRun& run, size_t earlier) {
  JournalEntry track;
  run.WaitForEngine([&](const Journal& engine) {
    const Journal tracks = Requests(engine, "Trck");
    if (tracks.size() <= earlier) return false;
    track = tracks[earlier];
    return true;
  });
  return track;
}

void ExpectPublished(const JournalEntry& track, const Published& expected) {
  EXPECT_EQ(track.Get("title"), expected.title);
  EXPECT_EQ(track.Get("artist"), expected.artist);
  EXPECT_EQ(track.Get("album"), expected.album);
  EXPECT_EQ(track.Number("year"), expected.year);
  EXPECT_EQ(track.Number("size"), 3100);
  EXPECT_EQ(track.Number("mask"), 224);
}

// Plays the cases one after the other as tracks of a playlist; each must reach the engine as
// one 'Trck' with the expected fields.
void PlayTracks(StandInPlayerRun& run, const std::vector<TrackCase>& cases) {
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  // The track playing at the start is published first.
  ASSERT_FALSE(NextTrack(run, 0).call.empty());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    const size_t earlier = Requests(run.EngineJournal(), "Trck").size();
    ASSERT_TRUE(run.Send(TrackCommand(int64_t(i) + 1, cases[i].fields)));
    const JournalEntry track = NextTrack(run, earlier);
    ASSERT_FALSE(track.call.empty());
    ExpectPublished(track, cases[i].expected);
  }
}

class WinampTrackTest : public WinampPlayerTest {};

TEST_F(WinampTrackTest, ExtendedPlayersPublishTheirExtendedMessages) {
  const std::vector<TrackCase> cases = {
      {"all three",
       {"Playlist Artist - Playlist Song", "Info Artist", "Info Album", "Info Song", "1999",
        "Extended Song", "Extended Artist", "Extended Album"},
       {"Extended Song", "Extended Artist", "Extended Album", 0}},
      {"title only",
       {.playlist = "Playlist Artist - Playlist Song", .extTitle = "Lonely Song"},
       {"Lonely Song", "", "", 0}},
  };
  const std::pair<const wchar_t*, const char*> players[] = {{L"jetAudio", "jetaudio"},
                                                            {L"MediaMonkey", "mediamonkey"}};
  for (const auto& [folder, mode] : players) {
    SCOPED_TRACE(mode);
    StandInPlayerRun run(SetupFor(folder, mode));
    ASSERT_TRUE(run.ok());
    PlayTracks(run, cases);
    const Journal player = run.PlayerJournal();
    EXPECT_TRUE(Messages(player, command::kExtendedFileInfo).empty());
    EXPECT_TRUE(Messages(player, command::kPlayingFileName).empty());
    ExpectCleanExit(run);
  }
}

TEST_F(WinampTrackTest, WinampPublishesTheFileInformationOrElseTheSplitPlaylistTitle) {
  const std::vector<TrackCase> cases = {
      {"extended file information",
       {.playlist = "Playlist Artist - Playlist Song",
        .infoArtist = "Info Artist",
        .infoAlbum = "Info Album",
        .infoTitle = "Info Song",
        .infoYear = "1987"},
       {"Info Song", "Info Artist", "Info Album", 1987}},
      {"file information with a title only",
       {.playlist = "Playlist Artist - Playlist Song", .infoTitle = "Only Title"},
       {"Only Title", "", "", 0}},
      {"playlist title split at \" - \"",
       {.playlist = "Dash Artist - Dash Song"},
       {"Dash Song", "Dash Artist", "", 0}},
      {"playlist title split at \" / \"",
       {.playlist = "Slash Artist / Slash Song"},
       {"Slash Song", "Slash Artist", "", 0}},
      {"the first \" - \" splits",
       {.playlist = "One - Two - Three"},
       {"Two - Three", "One", "", 0}},
      {"\" - \" before \" / \"",
       {.playlist = "Left / Middle - Right"},
       {"Right", "Left / Middle", "", 0}},
      {"no separator", {.playlist = "Just A Title"}, {"Just A Title", "", "", 0}},
  };
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  PlayTracks(run, cases);

  // Each publication asked for the playing file, then for its four fields by that name.
  const Journal player = run.PlayerJournal();
  const char* const order[] = {"artist", "year", "album", "title"};
  std::string file;
  size_t asked = 0;
  for (const JournalEntry& entry : refengine_journal::EntriesOf(player, call::kMessage)) {
    if (entry.Number("command") == command::kPlayingFileName) file = entry.Get("text");
    if (entry.Number("command") != command::kExtendedFileInfo) continue;
    EXPECT_EQ(entry.Get("field"), order[asked++ % 4]);
    EXPECT_EQ(entry.Get("file"), file);
    EXPECT_EQ(entry.Number("size"), 1024);
  }
  EXPECT_EQ(asked, 4 * (cases.size() + 1));
  EXPECT_TRUE(Messages(player, command::kExtendedTitle).empty());
  ExpectCleanExit(run);
}

TEST_F(WinampTrackTest, AStreamWhoseTitleChangesPublishes300MsLaterOnce) {
  // Without services the module asks for the file name (3031) only when it publishes.
  StandInCommand stream;
  stream.Text("services", "none")
      .Number("length", -1)
      .Text("title", "Station - First Song")
      .Text("playlist", "Station - First Song");
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp", stream));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  const JournalEntry first = NextTrack(run, 0);
  EXPECT_EQ(first.Get("title"), "First Song");

  ASSERT_TRUE(run.Send(StandInCommand("Track")
                           .Text("title", "Station - Second Song")
                           .Text("playlist", "Station - Second Song")));
  const JournalEntry second = NextTrack(run, 1);
  EXPECT_EQ(second.Get("title"), "Second Song");
  EXPECT_EQ(second.Get("artist"), "Station");

  // The module saw the new title when it asked for it (3034), and published (its first
  // question, the file name 3031) more than 300 ms after that.
  const Journal player = run.PlayerJournal();
  int64_t seen = 0;
  for (const JournalEntry& entry : Messages(player, command::kPlayingTitle)) {
    if (entry.Get("text") == "Station - Second Song") {
      seen = TimeOf(entry);
      break;
    }
  }
  ASSERT_NE(seen, 0);
  int64_t published = 0;
  for (const JournalEntry& entry : Messages(player, command::kPlayingFileName)) {
    if (TimeOf(entry) >= seen) {
      published = TimeOf(entry);
      break;
    }
  }
  ASSERT_NE(published, 0);
  EXPECT_GE(published - seen, 300);
  EXPECT_LT(published - seen, 800);

  // Once: the title stays, and nothing more is published.
  Sleep(1000);
  EXPECT_EQ(Requests(run.EngineJournal(), "Trck").size(), 2u);
  ExpectCleanExit(run);
}

TEST_F(WinampTrackTest, AFilesTitleChangingAloneIsNoNewTrack) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  ASSERT_FALSE(NextTrack(run, 0).call.empty());
  ASSERT_TRUE(run.Send(StandInCommand("Track").Text("title", "Another Title")));
  Sleep(1000);
  EXPECT_EQ(Requests(run.EngineJournal(), "Trck").size(), 1u);
  ExpectCleanExit(run);
}

}  // namespace
