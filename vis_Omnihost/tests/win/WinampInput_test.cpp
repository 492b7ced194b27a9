// The player's menu commands and keys in the plug-in's window, end to end: a visualization
// menu command reaches the engine as its script only once the engine has had the window for
// 1500 ms (before, it goes to the window's ordinary handling); a key the engine does not take
// reaches the player as WM_KEYDOWN and WM_KEYUP when the key is released.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "players/winamp/StandInControl.h"
#include "testsupport/win/Waiting.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = winamp_standin::call;
namespace command = winamp::command;
namespace menu = winamp::menu;

constexpr int64_t kNotConsumed = 55019;

StandInCommand Menu(uint16_t id) {
  return StandInCommand("Menu").Number("id", id);
}

// Waits until the player has posted the menu command.
bool MenuPosted(const StandInPlayerRun& run, size_t earlier) {
  return run.WaitForPlayer(
      [&](const Journal& player) { return CountOf(player, call::kMenuSent) > earlier; });
}

struct MenuCase {
  uint16_t id;
  const char* script;
};

class WinampInputTest : public WinampPlayerTest {};

TEST_F(WinampInputTest, MenuCommandsReachTheEngineAsScriptsOnly1500MsAfterTheAttach) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  // 628 tells the player the moment the engine took the window.
  const Journal started = Messages(run.PlayerJournal(), command::kVisualizationStarted);
  ASSERT_EQ(started.size(), 1u);
  const int64_t attached = TimeOf(started[0]);

  ASSERT_TRUE(run.Send(Menu(menu::kNextConfig)));
  ASSERT_TRUE(MenuPosted(run, 0));
  const int64_t early = TimeOf(EntriesOf(run.PlayerJournal(), call::kMenuSent)[0]);
  ASSERT_LT(early - attached, 1000) << "the early command came too late to test anything";
  const int64_t wait = attached + 1700 - int64_t(GetTickCount64());
  if (wait > 0) Sleep(DWORD(wait));
  EXPECT_TRUE(Requests(run.EngineJournal(), "Meth").empty());
  EXPECT_EQ(Probe(run).Number("corner"), kFirstBackground);

  // A command that is not one of the visualization menu's stays with the window too; it is
  // posted before the next, so its script would come first.
  ASSERT_TRUE(run.Send(Menu(40000)));
  const MenuCase cases[] = {
      {menu::kNextConfig, "SwitchupConfigs( 1 )"},
      {menu::kPreviousConfig, "SwitchupConfigs( -1 )"},
      {menu::kRandomConfig, "RollTheDice()"},
      {menu::kToggleMenu, "ToggleMenu()"},
      {menu::kFullscreen, "SetFullscreen( True )"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].script);
    ASSERT_TRUE(run.Send(Menu(cases[i].id)));
    Journal scripts;
    ASSERT_TRUE(run.WaitForEngine([&](const Journal& engine) {
      scripts = Requests(engine, "Meth");
      return scripts.size() > i;
    }));
    ASSERT_EQ(scripts.size(), i + 1);
    EXPECT_EQ(scripts[i].Get("script"), cases[i].script);
    EXPECT_EQ(scripts[i].Number("answer"), 0);
    // The engine followed the script: its next frame has the next palette.
    if (cases[i].id == menu::kNextConfig) {
      int64_t corner = 0;
      EXPECT_TRUE(WaitUntil(
          [&] { return (corner = Probe(run).Number("corner")) == kSecondBackground; }, 2000))
          << "corner " << std::hex << corner;
    }
  }
  // Going fullscreen in its own window, the engine tells the module, which tells the player.
  ASSERT_TRUE(run.WaitForPlayer(
      [](const Journal& player) { return !Messages(player, command::kFullscreen).empty(); }));
  const Journal fullscreen = Messages(run.PlayerJournal(), command::kFullscreen);
  ASSERT_EQ(fullscreen.size(), 1u);
  EXPECT_EQ(fullscreen[0].Number("wparam"), 1);
  EXPECT_EQ(Callbacks(run.EngineJournal(), "FSSt").size(), 1u);
  ExpectCleanExit(run);
}

struct KeyCase {
  const char* name;
  uint32_t virtualKey;
  bool sys;
  // What the engine was sent for it: a key code and the answer; 0: nothing.
  int64_t engineKey;
  int64_t engineAnswer;
  bool reachesPlayer;
};

// The player's key messages journaled since the moment given.
Journal PostedKeysSince(const Journal& player, int64_t since) {
  Journal keys;
  for (const JournalEntry& entry : EntriesOf(player, call::kPostedKey)) {
    if (TimeOf(entry) >= since) keys.push_back(entry);
  }
  return keys;
}

TEST_F(WinampInputTest, AKeyTheEngineDoesNotTakeReachesThePlayerWhenReleased) {
  constexpr uint32_t kHoldMs = 400;
  const KeyCase cases[] = {
      {"F5, no character", VK_F5, false, 0, 0, true},
      {"Q, a character the engine ignores", 'Q', false, 'q', kNotConsumed, true},
      {"T, a character the engine takes", 'T', false, 't', 0, false},
      {"Left, a key the engine takes", VK_LEFT, false, 0xF702, 0, false},
  };
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  HWND window = WaitForEngineWindow(run);
  ASSERT_NE(window, nullptr);
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int64_t start = int64_t(GetTickCount64());
    const size_t eventsBefore = Requests(run.EngineJournal(), "Evnt").size();
    const size_t sentBefore = CountOf(run.PlayerJournal(), call::kKeySent);
    ASSERT_TRUE(run.Send(StandInCommand("Key")
                             .Number("vk", c.virtualKey)
                             .Number("holdMs", kHoldMs)
                             .Number("sys", c.sys ? 1 : 0)));
    ASSERT_TRUE(run.WaitForPlayer(
        [&](const Journal& player) { return CountOf(player, call::kKeySent) == sentBefore + 2; }));
    Sleep(300);  // for the plug-in to pass the release on
    const Journal player = run.PlayerJournal();
    const Journal sent = EntriesOf(player, call::kKeySent);
    const JournalEntry& down = sent[sentBefore];
    const JournalEntry& up = sent[sentBefore + 1];
    EXPECT_EQ(WindowField(down, "window"), window);
    const Journal posted = PostedKeysSince(player, start);
    if (c.reachesPlayer) {
      ASSERT_EQ(posted.size(), 2u);
      EXPECT_EQ(posted[0].Number("message"), WM_KEYDOWN);
      EXPECT_EQ(posted[0].Number("wparam"), c.virtualKey);
      EXPECT_EQ(posted[0].Number("lparam"), down.Number("lparam"));
      EXPECT_EQ(posted[1].Number("message"), WM_KEYUP);
      EXPECT_EQ(posted[1].Number("wparam"), c.virtualKey);
      EXPECT_EQ(posted[1].Number("lparam"), up.Number("lparam"));
      // Held back until the key was released.
      EXPECT_GE(TimeOf(posted[0]), TimeOf(up));
    } else {
      for (const JournalEntry& key : posted) EXPECT_NE(key.Number("message"), WM_KEYDOWN);
    }
    const Journal events = Requests(run.EngineJournal(), "Evnt");
    const Journal newEvents(events.begin() + std::ptrdiff_t(eventsBefore), events.end());
    if (c.engineKey != 0) {
      ASSERT_FALSE(newEvents.empty());
      EXPECT_EQ(newEvents[0].Number("key"), c.engineKey);
      EXPECT_EQ(newEvents[0].Number("flags"), 0);
      EXPECT_EQ(newEvents[0].Number("answer"), c.engineAnswer);
    }
  }
  ExpectCleanExit(run);
}

TEST_F(WinampInputTest, SystemKeysGoStraightToThePlayer) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  ASSERT_TRUE(
      run.Send(StandInCommand("Key").Number("vk", 'X').Number("holdMs", 400).Number("sys", 1)));
  ASSERT_TRUE(run.WaitForPlayer([](const Journal& player) {
    return CountOf(player, call::kKeySent) == 2 && CountOf(player, call::kPostedKey) >= 2;
  }));
  const Journal player = run.PlayerJournal();
  const Journal sent = EntriesOf(player, call::kKeySent);
  std::vector<int64_t> messages;
  for (const JournalEntry& key : EntriesOf(player, call::kPostedKey)) {
    messages.push_back(key.Number("message"));
  }
  ASSERT_EQ(messages, (std::vector<int64_t>{WM_SYSKEYDOWN, WM_SYSKEYUP}));
  // The key-down was not held back.
  EXPECT_LT(TimeOf(EntriesOf(player, call::kPostedKey)[0]), TimeOf(sent[1]));
  ExpectCleanExit(run);
}

}  // namespace
