// The Winamp module in each of the three players it knows, end to end: the stand-in player
// loads the plug-in, the engine gets the descriptor that names the player and draws into the
// plug-in's window inside the player's frame, or into a free tool window when the player has no
// embedding function.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "players/winamp/StandInControl.h"
#include "testsupport/win/WindowTexts.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "vis_Omnihost/winamp/WinampMessages.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = winamp_standin::call;
namespace command = winamp::command;

constexpr char kWindowClass[] = "Glimmora for Winamp vis compatible players";
constexpr char kWindowTitle[] = "Glimmora";

struct ModeCase {
  const char* name;
  const wchar_t* folder;
  const char* mode;
  const char* descriptor;
};

const ModeCase kModes[] = {
    {"Winamp", L"Winamp", "winamp", HostDescriptor::kWinamp},
    {"jetAudio", L"jetAudio", "jetaudio", HostDescriptor::kJetAudio},
    {"MediaMonkey", L"MediaMonkey", "mediamonkey", HostDescriptor::kMediaMonkey},
};

class WinampModesTest : public WinampPlayerTest {};

TEST_F(WinampModesTest, TheHeaderDescribesOneModule) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  const Journal player = run.PlayerJournal();
  const Journal headers = EntriesOf(player, call::kHeader);
  ASSERT_EQ(headers.size(), 1u);
  EXPECT_EQ(headers[0].Number("version"), 0x101);
  EXPECT_EQ(headers[0].Get("description"), "Glimmora");
  const Journal modules = EntriesOf(player, call::kModule);
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0].Get("description"), "Glimmora");
  EXPECT_EQ(modules[0].Number("latency"), 1);
  EXPECT_EQ(modules[0].Number("delay"), 2);
  EXPECT_EQ(modules[0].Number("spectrumChannels"), 2);
  EXPECT_EQ(modules[0].Number("waveformChannels"), 2);
  EXPECT_EQ(modules[1].Number("index"), 1);
  EXPECT_EQ(modules[1].Number("module"), 0);
  ExpectCleanExit(run);
}

TEST_F(WinampModesTest, EachPlayerIsNamedToTheEngineWhichDrawsInsideThePlayersFrame) {
  for (const ModeCase& c : kModes) {
    SCOPED_TRACE(c.name);
    StandInPlayerRun run(SetupFor(c.folder, c.mode));
    ASSERT_TRUE(run.ok());
    HWND window = WaitForEngineWindow(run);
    ASSERT_NE(window, nullptr);

    // Every frame asks for the player's audio.
    ASSERT_TRUE(run.WaitForEngine(
        [](const Journal& engine) { return !Callbacks(engine, "GetS").empty(); }));
    const Journal engine = run.EngineJournal();
    const Journal created = EntriesOf(engine, "CreateInstance");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].Get("descriptor"), c.descriptor);
    EXPECT_EQ(created[0].Number("status"), 0);
    // It gets as much as it wants, up to 512 samples and 484 bands.
    for (const JournalEntry& request : Callbacks(engine, "GetS")) {
      EXPECT_EQ(request.Number("status"), 0);
      EXPECT_EQ(request.Number("samplesDelivered"),
                std::min<int64_t>(request.Number("samplesWanted"), 512));
      EXPECT_EQ(request.Number("bandsDelivered"),
                std::min<int64_t>(request.Number("bandsWanted"), 484));
    }

    const Journal player = run.PlayerJournal();
    const Journal inits = EntriesOf(player, call::kInit);
    ASSERT_EQ(inits.size(), 1u);
    EXPECT_EQ(inits[0].Number("result"), 0);
    const Journal embeds = EntriesOf(player, call::kEmbed);
    ASSERT_EQ(embeds.size(), 1u);
    EXPECT_EQ(embeds[0].Number("flags"), 2);
    HWND frame = WindowField(embeds[0], "frame");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Messages(player, command::kVisualizationStarted).size(), 1u);

    // The engine draws into the plug-in's window, a visible child of the frame.
    ASSERT_TRUE(WaitForFrameIn(run, window));
    const JournalEntry probe = Probe(run);
    EXPECT_EQ(WindowField(probe, "window"), window);
    EXPECT_EQ(WindowField(probe, "parent"), frame);
    EXPECT_EQ(probe.Get("class"), kWindowClass);
    EXPECT_EQ(probe.Get("text"), kWindowTitle);
    EXPECT_EQ(probe.Number("visible"), 1);
    EXPECT_EQ(probe.Number("style") & WS_CHILD, WS_CHILD);
    EXPECT_EQ(probe.Number("corner"), kFirstBackground);
    EXPECT_GT(probe.Number("colours"), 1);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_EQ(WindowText(frame), kWindowTitle);

    ExpectCleanExit(run);
    const Journal ended = run.PlayerJournal();
    const Journal windows = Messages(ended, command::kVisualizationWindow);
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.back().Number("wparam"), 0);
    EXPECT_EQ(CountOf(ended, call::kQuit), 1u);
    EXPECT_EQ(CountOf(ended, call::kFrameDestroyed), 1u);
    EXPECT_EQ(CountOf(run.EngineJournal(), "ReleaseNVVisualAPI"), 1u);
  }
}

TEST_F(WinampModesTest, AFrameInsideThePlayersWindowHoldsTheEnginesWindowToo) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp", StandInCommand().Text("embed", "child")));
  ASSERT_TRUE(run.ok());
  HWND window = WaitForEngineWindow(run);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForFrameIn(run, window));
  const Journal embeds = EntriesOf(run.PlayerJournal(), call::kEmbed);
  ASSERT_EQ(embeds.size(), 1u);
  HWND frame = WindowField(embeds[0], "frame");
  EXPECT_EQ(GetAncestor(frame, GA_PARENT), run.MainWindow());
  const JournalEntry probe = Probe(run);
  EXPECT_EQ(WindowField(probe, "parent"), frame);
  EXPECT_EQ(probe.Number("visible"), 1);
  EXPECT_EQ(probe.Number("corner"), kFirstBackground);
  ExpectCleanExit(run);
}

TEST_F(WinampModesTest, WithoutAnEmbeddingFunctionTheEngineDrawsIntoAFreeToolWindow) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp", StandInCommand().Text("embed", "none")));
  ASSERT_TRUE(run.ok());
  HWND window = WaitForEngineWindow(run);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForFrameIn(run, window));
  const Journal player = run.PlayerJournal();
  EXPECT_EQ(CountOf(player, call::kEmbed), 0u);
  ASSERT_EQ(Messages(player, command::kEmbedFunction).size(), 1u);
  EXPECT_EQ(Messages(player, command::kEmbedFunction)[0].Number("answer"), 0);

  const JournalEntry probe = Probe(run);
  EXPECT_EQ(WindowField(probe, "parent"), GetDesktopWindow());
  EXPECT_EQ(WindowField(probe, "owner"), run.MainWindow());
  EXPECT_EQ(probe.Number("exstyle") & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  EXPECT_EQ(probe.Number("style") & WS_CHILD, 0);
  EXPECT_EQ(probe.Get("class"), kWindowClass);
  EXPECT_EQ(probe.Get("text"), kWindowTitle);
  EXPECT_EQ(probe.Number("visible"), 1);
  // Placed at the rectangle a first start gets.
  EXPECT_EQ(probe.Number("left"), 20);
  EXPECT_EQ(probe.Number("top"), 30);
  EXPECT_EQ(probe.Number("right"), 720);
  EXPECT_EQ(probe.Number("bottom"), 540);
  EXPECT_EQ(probe.Number("corner"), kFirstBackground);
  ExpectCleanExit(run);
}

}  // namespace
