// The effect in a player of its own process: the stand-in Media Player (WmpStandIn.exe) finds
// NV_WMP.dll through the player's registry keys after regsvr32 registered it, creates it with
// CoCreateInstance and drives it from its real message loop until it gives everything back and
// exits. The reference engine journals what the effect did to it, the player what the effect
// did to the player.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "NV_WMP/tests/win/EffectHarness.h"
#include "players/winamp/StandInCommand.h"
#include "players/wmp/WmpStandInControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/ProgramRun.h"
#include "testsupport/win/StandInProgram.h"
#include "testsupport/win/WideText.h"

namespace wmptest {
namespace {

namespace call = wmp_standin::call;

constexpr DWORD kExitMs = 30000;

using PlayerRun = StandInProgramRun;

// Runs the stand-in (a name in the program's folder, or the full path of a copy) to its end.
PlayerRun RunPlayer(const std::string& steps, const wchar_t* program = L"WmpStandIn.exe") {
  const std::wstring journal = NewTempFile(L"wpj");
  winamp_standin::StandInCommand setup;
  setup.Text("journal", Utf8(journal)).Number("maxMs", 20000).Text("steps", steps);
  RunOptions options;
  options.arguments = Wide(setup.str());
  return RunStandInProgram(program, options, journal, kExitMs);
}

// The frame line of one index of the player's loop (an empty entry when there is none).
JournalEntry Frame(const Journal& player, int index) {
  for (const JournalEntry& entry : Calls(player, call::kFrame)) {
    if (entry.Number("index") == index) return entry;
  }
  return {};
}

// What every run must show at its end: the effect released all it took of the player, COM let
// its module go and the player ended after its steps.
void ExpectCleanEnd(const PlayerRun& run) {
  EXPECT_EQ(run.exitCode, wmp_standin::kExitNormal);
  EXPECT_EQ(UnexpectedLines(run.player), "");
  const Journal released = Calls(run.player, call::kReleased);
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0].Number("left"), 0);
  const Journal core = Calls(run.player, call::kCore);
  ASSERT_EQ(core.size(), 1u);
  EXPECT_EQ(core[0].Number("outstanding"), 0) << "references the effect kept of the core";
  EXPECT_EQ(core[0].Number("advise"), 1);
  EXPECT_EQ(core[0].Number("unadvise"), 1);
  const Journal uninitialized = Calls(run.player, call::kUninitialized);
  ASSERT_EQ(uninitialized.size(), 1u);
  EXPECT_EQ(uninitialized[0].Number("moduleLoaded"), 0);
  const Journal exits = Calls(run.player, call::kExit);
  ASSERT_EQ(exits.size(), 1u);
  EXPECT_EQ(exits[0].Get("reason"), "steps done");
  EXPECT_EQ(Calls(run.engine, "DestroyInstance").size(), 1u);
  EXPECT_EQ(Calls(run.engine, "ReleaseNVVisualAPI").size(), 1u);
}

// Without the effect's registration the player finds nothing to create and ends at once.
TEST(StandInPlayerWithoutEffectTest, AnUnregisteredEffectIsNotFound) {
  ASSERT_EQ(Regsvr32(L"/u " + Quoted(EffectModulePath())), 0);
  const PlayerRun run = RunPlayer("core; window; render 5");
  EXPECT_EQ(run.exitCode, wmp_standin::kExitNoEffect);
  EXPECT_TRUE(Calls(run.player, call::kEffectFound).empty());
  const Journal created = Calls(run.player, call::kCreated);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Number("result"), int64_t(uint32_t(REGDB_E_CLASSNOTREG)));
  EXPECT_TRUE(Calls(run.player, call::kFrame).empty());
  EXPECT_TRUE(run.engine.empty());
  const Journal exits = Calls(run.player, call::kExit);
  ASSERT_EQ(exits.size(), 1u);
  EXPECT_EQ(exits[0].Get("reason"), "no effect");
}

// The effect registered once for the suite, as an installer leaves it.
class StandInPlayerTest : public InstalledEngineTest {
 protected:
  static void SetUpTestSuite() {
    InstalledEngineTest::SetUpTestSuite();
    registered_ = Regsvr32(Quoted(EffectModulePath()));
  }
  static void TearDownTestSuite() {
    EXPECT_EQ(Regsvr32(L"/u " + Quoted(EffectModulePath())), 0);
    InstalledEngineTest::TearDownTestSuite();
  }
  void SetUp() override {
    InstalledEngineTest::SetUp();
    ASSERT_EQ(registered_, 0) << "regsvr32 could not register NV_WMP.dll";
  }

  static long registered_;
};
long StandInPlayerTest::registered_ = -1;

// The engine starts at the rendering that ends the settle frames: no pump frame comes in the
// pause after the rendering before it, and they come after it. The same program as
// ehshell.exe is Media Center.
TEST_F(StandInPlayerTest, TheEngineStartsAfterTheSettleFramesAndDrawsWithThePlayersLevels) {
  struct Case {
    const wchar_t* program;  // null: the copy named ehshell.exe
    int settleFrames;
    const char* host;
  };
  const Case cases[] = {
      {L"WmpStandIn.exe", 3, "Host=\"Windows Media Player\""},
      {nullptr, 20, "Host=\"Windows Media Center\""},
  };
  // A folder of its own: the effect's tests run their own program as ehshell.exe too.
  const std::wstring folder = InProgramFolder(L"mediacenter");
  const std::wstring mediaCenter = folder + L"\\ehshell.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(InProgramFolder(L"WmpStandIn.exe").c_str(), mediaCenter.c_str(), FALSE));
  for (const Case& test : cases) {
    const std::wstring program = test.program != nullptr ? test.program : mediaCenter;
    SCOPED_TRACE(Utf8(program));
    const int before = test.settleFrames - 1;
    const PlayerRun run = RunPlayer("core; window; render " + std::to_string(before) +
                                        "; wait 300; render 1; wait 300; render 12; pause; "
                                        "render 4; wait 100",
                                    program.c_str());
    const Journal started = Calls(run.player, call::kStarted);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].Number("mediaCenter"), test.settleFrames == 20 ? 1 : 0);
    const Journal created = Calls(run.player, call::kCreated);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].Number("result"), 0);
    EXPECT_EQ(created[0].Number("effects2"), 0);
    EXPECT_EQ(created[0].Get("key"), "Glimmora");

    const Journal waits = Calls(run.player, call::kWaited);
    ASSERT_EQ(waits.size(), 3u);
    EXPECT_EQ(waits[0].Number("pumps"), 0) << "pump frames before the settle frames had passed";
    EXPECT_GT(waits[1].Number("pumps"), 0) << "no pump frame after the settle frames";
    const Journal instances = Calls(run.engine, "CreateInstance");
    ASSERT_EQ(instances.size(), 1u);
    EXPECT_NE(instances[0].Get("descriptor").find(test.host), std::string::npos)
        << instances[0].Get("descriptor");
    const Journal targets = Calls(run.engine, "SetTarget");
    ASSERT_FALSE(targets.empty());
    EXPECT_EQ(targets.front().Number("target"), started[0].Number("effectWindow"));

    // The levels reach the engine while playing: 60 around silence in both channels gives a
    // peak of (2 x 188 - 2 x 128) x 0.0026; paused, the engine hears silence.
    const Journal audio = Calls(run.engine, "Callback", "GetS");
    ASSERT_GE(audio.size(), 2u);
    int loud = 0;
    std::string peaks;
    for (const JournalEntry& entry : audio) {
      loud += entry.Number("peakMilli") == 312 ? 1 : 0;
      peaks += entry.Get("peakMilli") + " ";
    }
    EXPECT_GT(loud, 0) << "no request was answered with the player's levels: " << peaks;
    EXPECT_EQ(audio.back().Number("peakMilli"), 0) << "paused, yet not silent";
    ExpectCleanEnd(run);
  }
  DeleteFileW(mediaCenter.c_str());
  RemoveDirectoryW(folder.c_str());
}

// Alt+Enter on the player's main window: the player goes fullscreen through GoFullscreen and
// Create, and after the settle frames the engine draws into the fullscreen window. The effect
// window's paint messages between the two must not spin the player's loop.
TEST_F(StandInPlayerTest, AltEnterTakesTheEngineIntoThePlayersFullscreenWindow) {
  const PlayerRun run = RunPlayer("core; window; render 6; altenter; render 8; wait 100");
  const Journal fullscreen = Calls(run.player, call::kFullscreen);
  ASSERT_EQ(fullscreen.size(), 1u);
  EXPECT_EQ(fullscreen[0].Number("on"), 1);
  EXPECT_EQ(fullscreen[0].Get("via"), "user");
  EXPECT_EQ(fullscreen[0].Number("go"), 0);
  EXPECT_EQ(fullscreen[0].Number("create"), 0);
  EXPECT_EQ(Calls(run.player, call::kFrame).size(), 14u);
  EXPECT_EQ(Frame(run.player, 14).Number("fullscreen"), 1);
  const Journal targets = Calls(run.engine, "SetTarget");
  ASSERT_GE(targets.size(), 3u);
  bool inFullscreen = false;
  for (const JournalEntry& target : targets) {
    if (target.Number("target") == fullscreen[0].Number("window")) {
      inFullscreen = (target.Number("flags") & 1024) != 0;
    }
  }
  EXPECT_TRUE(inFullscreen) << "the engine never drew into the fullscreen window as fullscreen";
  ExpectCleanEnd(run);
}

}  // namespace
}  // namespace wmptest
