// The module's lifecycle as a player drives it, end to end: Init without an installed engine
// fails and the player carries on, Quit after it is safe; a second Init changes nothing;
// Render, Config and Quit before Init do no harm; Config shows the engine's description.
#include <gtest/gtest.h>

#include <string>

#include "players/winamp/StandInControl.h"
#include "testsupport/win/Waiting.h"
#include "testsupport/win/WindowTexts.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = winamp_standin::call;
namespace command = winamp::command;

constexpr char kAboutCaption[] = "Glimmora";

struct BoxSearch {
  DWORD process;
  HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<BoxSearch*>(search);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != wanted->process || WindowClass(window) != "#32770" || !IsWindowVisible(window)) {
    return TRUE;
  }
  wanted->box = window;
  return FALSE;
}

// The player's message box (a visible dialog window of its process), or null when none
// appeared in time.
HWND WaitForBox(const StandInPlayerRun& run) {
  BoxSearch search = {run.ProcessId(), nullptr};
  WaitUntil([&] {
    EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
    return search.box != nullptr;
  });
  return search.box;
}

// Sends Config, checks the about box and closes it; the box's text.
std::string ShowAbout(StandInPlayerRun& run) {
  const size_t before = CountOf(run.PlayerJournal(), call::kConfig);
  EXPECT_TRUE(run.Send(StandInCommand("Config")));
  HWND box = WaitForBox(run);
  EXPECT_NE(box, nullptr);
  if (!box) return {};
  EXPECT_EQ(WindowText(box), kAboutCaption);
  EXPECT_EQ(GetWindow(box, GW_OWNER), run.MainWindow());
  const std::string text = MessageBoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(run.WaitForPlayer(
      [&](const Journal& player) { return CountOf(player, call::kConfig) > before; }));
  return text;
}

// Waits until the player journaled the call as often as given.
bool WaitForCalls(const StandInPlayerRun& run, const char* name, size_t count) {
  return run.WaitForPlayer([&](const Journal& player) { return CountOf(player, name) >= count; });
}

class WinampLifecycleTest : public WinampPlayerTest {};

TEST_F(WinampLifecycleTest, WithoutAnEngineInitFailsAndThePlayerCarriesOn) {
  RemoveEngine();
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_TRUE(WaitForCalls(run, call::kInit, 1));
  EXPECT_NE(EntriesOf(run.PlayerJournal(), call::kInit)[0].Number("result"), 0);

  // The player goes on answering and calling; none of it does anything.
  ASSERT_TRUE(run.Send(StandInCommand("RenderOnce")));
  ASSERT_TRUE(WaitForCalls(run, call::kRender, 1));
  EXPECT_EQ(EntriesOf(run.PlayerJournal(), call::kRender)[0].Number("result"), 0);
  ShowAbout(run);
  ASSERT_TRUE(run.Send(StandInCommand("Quit")));
  ASSERT_TRUE(WaitForCalls(run, call::kQuit, 1));
  EXPECT_TRUE(run.Running());
  ExpectCleanExit(run);
  // Nothing of the module's stayed: no window was left to the player.
  const Journal player = run.PlayerJournal();
  for (const JournalEntry& window : Messages(player, command::kVisualizationWindow)) {
    EXPECT_FALSE(IsWindow(WindowField(window, "wparam")));
  }
  EXPECT_EQ(CountOf(player, call::kEmbed), CountOf(player, call::kFrameDestroyed));
}

TEST_F(WinampLifecycleTest, ASecondInitDoesNothing) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  ASSERT_TRUE(run.Send(StandInCommand("Init")));
  ASSERT_TRUE(WaitForCalls(run, call::kInit, 2));
  Sleep(300);
  const Journal player = run.PlayerJournal();
  const Journal inits = EntriesOf(player, call::kInit);
  EXPECT_EQ(inits[1].Number("result"), 0);
  EXPECT_EQ(inits[1].Number("userData"), inits[0].Number("userData"));
  EXPECT_EQ(CountOf(player, call::kEmbed), 1u);
  EXPECT_EQ(Messages(player, command::kVisualizationWindow).size(), 1u);
  EXPECT_EQ(CountOf(run.EngineJournal(), "CreateInstance"), 1u);
  ExpectCleanExit(run);
}

TEST_F(WinampLifecycleTest, RenderConfigAndQuitBeforeInitDoNoHarm) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp", StandInCommand().Number("autoInit", 0)));
  ASSERT_TRUE(run.ok());
  ASSERT_TRUE(run.Send(StandInCommand("RenderOnce")));
  ASSERT_TRUE(WaitForCalls(run, call::kRender, 1));
  ShowAbout(run);
  ASSERT_TRUE(run.Send(StandInCommand("Quit")));
  ASSERT_TRUE(WaitForCalls(run, call::kQuit, 1));
  EXPECT_TRUE(EntriesOf(run.EngineJournal(), "CreateInstance").empty());

  // Then the module starts as if nothing had happened.
  ASSERT_TRUE(run.Send(StandInCommand("Init")));
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  EXPECT_EQ(EntriesOf(run.PlayerJournal(), call::kInit)[0].Number("result"), 0);
  ExpectCleanExit(run);
}

TEST_F(WinampLifecycleTest, ConfigShowsTheEnginesDescription) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  const std::string text = ShowAbout(run);
  EXPECT_EQ(text.rfind(std::string(kEngineDescription) + "\n\n", 0), 0u) << text;
  ExpectCleanExit(run);
}

}  // namespace
