// Where the Winamp module puts its window, end to end: the rectangle the engine keeps under the
// "WinampAPI.Window" preferences, the first-start rectangle when "WinampAPI.Window.left" is
// missing, and a closed window's rectangle stored with 'SPrf' and used by the next Init.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "players/winamp/StandInControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/WideText.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = winamp_standin::call;

struct Rectangle {
  int64_t left, top, right, bottom;
};
constexpr Rectangle kFirstStart = {20, 30, 720, 540};
constexpr Rectangle kMoved = {100, 120, 600, 480};

using Preferences = std::vector<std::pair<std::string, int64_t>>;

// A preference file of the reference engine holding the integers (RefEngine's value text).
std::wstring WritePreferences(const Preferences& preferences) {
  const std::wstring path = NewTempFile(L"nvr");
  std::ofstream file(std::filesystem::path(path), std::ios::binary);
  file << "count = " << preferences.size() << "\n";
  for (size_t i = 0; i < preferences.size(); ++i) {
    const auto& [name, value] = preferences[i];
    file << i << " = \"" << name << "\"\n"
         << "\"type:" << name << "\" = \"i\"\n"
         << "\"value:" << name << "\" = " << value << "\n";
  }
  return path;
}

void ExpectRectangle(const JournalEntry& entry, const Rectangle& expected) {
  EXPECT_EQ(entry.Number("left"), expected.left);
  EXPECT_EQ(entry.Number("top"), expected.top);
  EXPECT_EQ(entry.Number("right"), expected.right);
  EXPECT_EQ(entry.Number("bottom"), expected.bottom);
}

// The rectangle the player's frame was made with at the last Init (or, without a frame, the
// plug-in's own window as placed).
JournalEntry WindowRectangle(StandInPlayerRun& run, bool framed) {
  if (!framed) return Probe(run);
  const Journal embeds = EntriesOf(run.PlayerJournal(), call::kEmbed);
  return embeds.empty() ? JournalEntry() : embeds.back();
}

class WinampWindowRectTest : public WinampPlayerTest {};

struct StoredCase {
  const char* name;
  Preferences preferences;
  Rectangle expected;
};

TEST_F(WinampWindowRectTest, TheFrameTakesTheStoredRectangleUnlessItsLeftIsMissing) {
  const StoredCase cases[] = {
      {"no preferences", {}, kFirstStart},
      {"all four",
       {{"WinampAPI.Window.left", 40},
        {"WinampAPI.Window.top", 50},
        {"WinampAPI.Window.right", 440},
        {"WinampAPI.Window.bottom", 350}},
       {40, 50, 440, 350}},
      {"left missing",
       {{"WinampAPI.Window.top", 50},
        {"WinampAPI.Window.right", 440},
        {"WinampAPI.Window.bottom", 350}},
       kFirstStart},
  };
  for (const StoredCase& c : cases) {
    SCOPED_TRACE(c.name);
    PlayerSetup setup = SetupFor(L"Winamp", "winamp");
    setup.preferences = WritePreferences(c.preferences);
    {
      StandInPlayerRun run(setup);
      ASSERT_TRUE(run.ok());
      ASSERT_NE(WaitForEngineWindow(run), nullptr);
      ExpectRectangle(WindowRectangle(run, true), c.expected);
      const Journal asked = Requests(run.EngineJournal(), "GPrf");
      ASSERT_FALSE(asked.empty());
      EXPECT_EQ(asked[0].Get("name"), "WinampAPI.Window.left");
      const bool leftStored =
          !c.preferences.empty() && c.preferences[0].first == "WinampAPI.Window.left";
      EXPECT_EQ(asked[0].Number("found"), leftStored ? 1 : 0);
      ExpectCleanExit(run);
    }
    DeleteFileW(setup.preferences.c_str());
  }
}

struct ClosedCase {
  const char* name;
  const char* embed;
};

TEST_F(WinampWindowRectTest, AClosedWindowsRectangleIsStoredAndUsedByTheNextInit) {
  const ClosedCase cases[] = {{"in the player's frame", "top"}, {"free tool window", "none"}};
  for (const ClosedCase& c : cases) {
    SCOPED_TRACE(c.name);
    const bool framed = std::string(c.embed) != "none";
    StandInPlayerRun run(SetupFor(L"Winamp", "winamp", StandInCommand().Text("embed", c.embed)));
    ASSERT_TRUE(run.ok());
    ASSERT_NE(WaitForEngineWindow(run), nullptr);
    ASSERT_TRUE(run.Send(StandInCommand("MoveFrame")
                             .Number("left", kMoved.left)
                             .Number("top", kMoved.top)
                             .Number("right", kMoved.right)
                             .Number("bottom", kMoved.bottom)));
    ASSERT_TRUE(run.Send(StandInCommand("Close")));
    // Closing the window ends the visualization: the player gets WM_QUIT and calls Quit.
    ASSERT_TRUE(
        run.WaitForPlayer([](const Journal& player) { return CountOf(player, call::kQuit) == 1; }));

    const Journal stored = Requests(run.EngineJournal(), "SPrf");
    const std::pair<const char*, int64_t> expected[] = {{"WinampAPI.Window.left", kMoved.left},
                                                        {"WinampAPI.Window.top", kMoved.top},
                                                        {"WinampAPI.Window.bottom", kMoved.bottom},
                                                        {"WinampAPI.Window.right", kMoved.right}};
    ASSERT_EQ(stored.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(stored[i].Get("name"), expected[i].first);
      EXPECT_EQ(stored[i].Get("type"), "i");
      EXPECT_EQ(stored[i].Number("length"), -1);
      EXPECT_EQ(stored[i].Number("value"), expected[i].second);
      EXPECT_EQ(stored[i].Number("answer"), 0);
    }
    const Journal closed = run.PlayerJournal();
    EXPECT_EQ(CountOf(closed, call::kQuitMessage), 1u);
    EXPECT_EQ(Messages(closed, winamp::command::kVisualizationWindow).back().Number("wparam"), 0);

    ASSERT_TRUE(run.Send(StandInCommand("Init")));
    ASSERT_NE(WaitForEngineWindow(run, 1), nullptr);
    ExpectRectangle(WindowRectangle(run, framed), kMoved);
    ExpectCleanExit(run);
  }
}

}  // namespace
