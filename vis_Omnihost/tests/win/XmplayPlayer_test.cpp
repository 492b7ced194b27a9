// The XMPlay module end to end: the stand-in XMPlay loads the plug-in through QueryModule and
// renders it into its own pixel buffer, with the reference engine installed as the product.
// The tests read what the engine received (its journal) and what the player's buffer holds.
#include <gtest/gtest.h>

#include <string>

#include "players/xmplay/XmplayStandInControl.h"
#include "vis_Omnihost/tests/win/ScriptedPlayerTest.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

constexpr wchar_t kProgram[] = L"XmplayStandIn.exe";

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = xmplay_standin::call;

// The engine's buffer targets: SetTarget calls that describe a pixel buffer.
Journal BufferTargets(const Journal& engine) {
  Journal targets;
  for (const JournalEntry& entry : EntriesOf(engine, "SetTarget")) {
    if (entry.Has("width")) targets.push_back(entry);
  }
  return targets;
}

using XmplayPlayerTest = ScriptedPlayerTest<kProgram>;

TEST_F(XmplayPlayerTest, QueryModuleDescribesTheModuleAndTheEngineDrawsIntoThePlayersBuffer) {
  const ScriptedRun run = Run("init; render 64 48; deinit");

  const Journal info = EntriesOf(run.player, call::kInfo);
  ASSERT_EQ(info.size(), 1u);
  EXPECT_EQ(info[0].Number("version"), 0);
  EXPECT_EQ(info[0].Get("name"), "Glimmora");
  EXPECT_EQ(info[0].Number("required"), 5);
  EXPECT_EQ(info[0].Number("receiver"), 0);

  const Journal created = EntriesOf(run.engine, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"), HostDescriptor::kXmplay);

  const Journal renders = EntriesOf(run.player, call::kRender);
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_EQ(renders[0].Number("result"), 1);
  // The whole picture is the engine's, and nothing outside it was touched.
  EXPECT_EQ(renders[0].Number("drawn"), 64 * 48);
  EXPECT_EQ(renders[0].Number("outside"), 0);
  EXPECT_EQ(renders[0].Number("corner"), kFirstBackground);

  const Journal targets = BufferTargets(run.engine);
  ASSERT_EQ(targets.size(), 1u);
  EXPECT_EQ(targets[0].Number("flags"), 1);
  EXPECT_EQ(targets[0].Number("format"), 14624);
  EXPECT_EQ(targets[0].Number("width"), 64);
  EXPECT_EQ(targets[0].Number("height"), 48);
  EXPECT_EQ(targets[0].Number("stride"), 64 * 4);
  EXPECT_EQ(targets[0].Number("planes"), 1);
  EXPECT_EQ(targets[0].Number("pixels"), renders[0].Number("pixels"));

  // The engine's audio came from the player's record: every second sample of one channel,
  // and as many bands as it asked for.
  const Journal audio = Callbacks(run.engine, "GetS");
  ASSERT_FALSE(audio.empty());
  EXPECT_EQ(audio[0].Number("status"), 0);
  EXPECT_EQ(audio[0].Number("samplesDelivered"), 256);
  EXPECT_EQ(audio[0].Number("bandsDelivered"),
            std::min<int64_t>(audio[0].Number("bandsWanted"), 192));

  const Journal ended = EntriesOf(run.player, call::kDeinitialize);
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0].Number("result"), 1);
  ASSERT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
  EXPECT_EQ(refengine_journal::CallsOf(run.engine).back(), "ReleaseNVVisualAPI");
}

// Two renders at one size attach once; a new size, and a new buffer at the same size, attach
// again, each to the buffer the player handed. The buffer the player gave up is left alone.
TEST_F(XmplayPlayerTest, TheEngineFollowsThePlayersBufferToNewSizesAndAddresses) {
  const ScriptedRun run =
      Run("init; render 64 48; render 64 48; render 80 60; moved; render 80 60; render 80 60;"
          "deinit");
  const Journal renders = EntriesOf(run.player, call::kRender);
  ASSERT_EQ(renders.size(), 5u);
  const Journal targets = BufferTargets(run.engine);
  ASSERT_EQ(targets.size(), 3u);
  struct Expected {
    size_t render;
    int64_t width, height;
  } expected[] = {{0, 64, 48}, {2, 80, 60}, {3, 80, 60}};
  for (size_t i = 0; i < 3; ++i) {
    const JournalEntry& render = renders[expected[i].render];
    EXPECT_EQ(targets[i].Number("width"), expected[i].width) << "target " << i;
    EXPECT_EQ(targets[i].Number("height"), expected[i].height) << "target " << i;
    EXPECT_EQ(targets[i].Number("pixels"), render.Number("pixels")) << "target " << i;
  }
  EXPECT_NE(renders[3].Number("pixels"), renders[2].Number("pixels"));
  for (const JournalEntry& render : renders) {
    EXPECT_EQ(render.Number("drawn"), render.Number("width") * render.Number("height"));
    EXPECT_EQ(render.Number("outside"), 0);
  }
  EXPECT_EQ(renders[3].Number("previous"), 0) << "the engine drew into the buffer given up";
}

TEST_F(XmplayPlayerTest, AClickReachesTheEngineAsALeftButtonEvent) {
  const ScriptedRun run = Run("init; render 64 48; click 5 7; render 64 48; deinit");
  const Journal events = Requests(run.engine, "Evnt");
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].Number("x"), 5);
  EXPECT_EQ(events[0].Number("y"), 7);
  EXPECT_EQ(events[0].Number("flags"), 0x10);
  EXPECT_EQ(events[0].Number("key"), 0);
  // The engine took the click (answer 0), so clicked reports no unconsumed answer.
  EXPECT_EQ(events[0].Number("answer"), 0);
  const Journal clicked = EntriesOf(run.player, call::kClicked);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0].Number("result"), 0);
  // The reference engine changes its palette on a click: the next picture shows it.
  const Journal renders = EntriesOf(run.player, call::kRender);
  ASSERT_EQ(renders.size(), 2u);
  EXPECT_EQ(renders[0].Number("corner"), kFirstBackground);
  EXPECT_EQ(renders[1].Number("corner"), kSecondBackground);
}

// The module's life: render starts a module that was never initialised; saving the settings
// ends it as deinitialise does, and the next render starts it again.
TEST_F(XmplayPlayerTest, RenderStartsTheModuleAndSavingTheSettingsEndsIt) {
  const ScriptedRun run = Run("render 64 48; open; save; render 64 48; deinit; deinit");
  EXPECT_EQ(EntriesOf(run.engine, "CreateInstance").size(), 2u);
  EXPECT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 2u);
  EXPECT_EQ(BufferTargets(run.engine).size(), 2u);
  for (const JournalEntry& render : EntriesOf(run.player, call::kRender)) {
    EXPECT_EQ(render.Number("drawn"), 64 * 48);
  }
  EXPECT_EQ(EntriesOf(run.player, call::kOpenSettings)[0].Number("result"), 1);
  EXPECT_EQ(EntriesOf(run.player, call::kSaveSettings)[0].Number("result"), 1);
}

// Frames the engine cannot draw into safely are refused: render answers 0, the engine is
// neither re-targeted nor run, and the player's memory is untouched. A record of null gives
// the engine no audio.
TEST_F(XmplayPlayerTest, BadBuffersAndAMissingRecordChangeNothing) {
  struct Case {
    const char* name;
    const char* step;
  } cases[] = {
      {"null pixel address", "nopixels 64 48"},
      {"zero width", "render 0 48"},
      {"zero height", "render 64 0"},
      {"negative size", "render -64 -48"},
      {"rows shorter than the width", "render 64 48 32"},
      {"bottom-up rows", "render 64 48 -64"},
  };
  for (const Case& c : cases) {
    const ScriptedRun run = Run(std::string("init; render 64 48; ") + c.step + "; deinit");
    const Journal renders = EntriesOf(run.player, call::kRender);
    ASSERT_EQ(renders.size(), 2u) << c.name;
    EXPECT_EQ(renders[1].Number("result"), 0) << c.name;
    EXPECT_EQ(renders[1].Number("drawn"), 0) << c.name;
    EXPECT_EQ(renders[1].Number("outside"), 0) << c.name;
    EXPECT_EQ(BufferTargets(run.engine).size(), 1u) << c.name;
    EXPECT_EQ(EntriesOf(run.engine, "RunFrame").size(), 1u) << c.name;
  }

  const ScriptedRun run = Run("init; nodata; render 64 48; render 64 48; deinit");
  const Journal audio = Callbacks(run.engine, "GetS");
  ASSERT_EQ(audio.size(), 2u);
  EXPECT_EQ(audio[0].Number("samplesDelivered"), 0);
  EXPECT_EQ(audio[0].Number("bandsDelivered"), 0);
  EXPECT_EQ(audio[1].Number("samplesDelivered"), 256);
  EXPECT_EQ(EntriesOf(run.player, call::kRender)[0].Number("drawn"), 64 * 48);
}

TEST_F(XmplayPlayerTest, WithoutAnEngineTheModuleRendersNothingAndTheCallsAreHarmless) {
  RemoveEngine();
  const ScriptedRun run = Run("click 1 1; init; render 64 48; click 3 3; render 80 60; deinit");
  EXPECT_TRUE(run.engine.empty());
  for (const JournalEntry& render : EntriesOf(run.player, call::kRender)) {
    EXPECT_EQ(render.Number("result"), 1);
    EXPECT_EQ(render.Number("drawn"), 0);
    EXPECT_EQ(render.Number("outside"), 0);
  }
  for (const JournalEntry& clicked : EntriesOf(run.player, call::kClicked)) {
    EXPECT_EQ(clicked.Number("result"), 0);
  }
  EXPECT_EQ(EntriesOf(run.player, call::kDeinitialize)[0].Number("result"), 1);
}

}  // namespace
