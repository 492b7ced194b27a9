// Bad answers from the player, end to end: titles of 10 000 units, null text pointers, and a
// stream with such titles. The module cuts or skips them: the engine gets tracks within its
// record's limits, and the player neither crashes nor sees anything it did not expect.
#include <gtest/gtest.h>

#include <string>

#include "players/winamp/StandInControl.h"
#include "testsupport/win/WideText.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"

namespace {

using refengine_journal::JournalEntry;

// The track record holds at most this many units of each text.
constexpr size_t kTrackTextUnits = 255;

struct BadInputCase {
  const char* name;
  const wchar_t* folder;
  const char* mode;
  StandInCommand setup;
  // The start of the title the engine gets, and its length in UTF-16 units.
  std::string titleStart;
  size_t titleUnits;
  std::string artist;
};

class WinampBadInputTest : public WinampPlayerTest {};

TEST_F(WinampBadInputTest, TheEngineGetsTracksWithinItsLimitsAndThePlayerCarriesOn) {
  const BadInputCase cases[] = {
      {"10 000-unit playlist title", L"Winamp", "winamp",
       StandInCommand().Number("longTitle", 1).Text("playlist", "Long Artist - Long Song"),
       "Long Song", kTrackTextUnits, "Long Artist"},
      {"10 000-unit extended title", L"jetAudio", "jetaudio",
       StandInCommand().Number("longTitle", 1).Text("ext.title", "Long Song"), "Long Song",
       kTrackTextUnits, "Default Artist"},
      {"10 000-unit file information title", L"Winamp", "winamp",
       StandInCommand().Number("longTitle", 1).Text("info.title", "Info Song"), "Info Song",
       kTrackTextUnits, ""},
      {"10 000-unit stream title", L"Winamp", "winamp",
       StandInCommand()
           .Number("longTitle", 1)
           .Number("length", -1)
           .Text("playlist", "Radio - Long Song"),
       "Long Song", kTrackTextUnits, "Radio"},
      {"null texts", L"Winamp", "winamp", StandInCommand().Number("nullTexts", 1), "", 0, ""},
      {"null extended texts", L"MediaMonkey", "mediamonkey",
       StandInCommand().Number("nullTexts", 1), "", 0, ""},
  };
  for (const BadInputCase& c : cases) {
    SCOPED_TRACE(c.name);
    StandInPlayerRun run(SetupFor(c.folder, c.mode, c.setup));
    ASSERT_TRUE(run.ok());
    ASSERT_NE(WaitForEngineWindow(run), nullptr);
    JournalEntry track;
    ASSERT_TRUE(run.WaitForEngine([&](const Journal& engine) {
      const Journal tracks = Requests(engine, "Trck");
      if (tracks.empty()) return false;
      track = tracks[0];
      return true;
    }));
    const std::string title = track.Get("title");
    EXPECT_EQ(title.rfind(c.titleStart, 0), 0u) << title;
    EXPECT_EQ(Wide(title).size(), c.titleUnits);
    EXPECT_EQ(track.Get("artist"), c.artist);
    // A new track with the same bad answers goes the same way.
    ASSERT_TRUE(run.Send(StandInCommand("Track").Number("position", 7)));
    ASSERT_TRUE(run.WaitForEngine(
        [](const Journal& engine) { return Requests(engine, "Trck").size() >= 2; }));
    EXPECT_TRUE(run.Running());
    ExpectCleanExit(run);
  }
}

}  // namespace
