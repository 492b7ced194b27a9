// The QCD module end to end: the stand-in QCD loads the plug-in through QVisualModule0 with
// its module structure and drives the module's functions, with the reference engine installed
// as the product. The tests read what the engine received (its journal) and what the player's
// window and video buffer show.
#include <gtest/gtest.h>

#include <string>

#include "players/qcd/QcdStandInControl.h"
#include "vis_Omnihost/tests/win/ScriptedPlayerTest.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
using winamp_standin::StandInCommand;
namespace call = qcd_standin::call;

constexpr wchar_t kProgram[] = L"QcdStandIn.exe";
// Longer than the reference engine's frame period, so that the next render draws.
constexpr char kPause[] = "wait 60; ";

// The engine's targets of one kind: windows (flags 4) or pixel buffers (flags 1).
Journal Targets(const Journal& engine, int64_t flags) {
  Journal targets;
  for (const JournalEntry& entry : EntriesOf(engine, "SetTarget")) {
    if (entry.Number("flags") == flags && entry.Number("target") != 0) targets.push_back(entry);
  }
  return targets;
}

StandInCommand BufferMode() {
  return StandInCommand().Number("window", 0);
}

using QcdPlayerTest = ScriptedPlayerTest<kProgram>;

TEST_F(QcdPlayerTest, TheModuleStructureIsFilledAndTheEngineDrawsIntoThePlayersWindow) {
  const ScriptedRun run = Run(std::string("init; render; ") + kPause + "render; shutdown");

  const Journal module = EntriesOf(run.player, call::kModule);
  ASSERT_EQ(module.size(), 1u);
  EXPECT_EQ(module[0].Number("result"), 1);
  EXPECT_NE(module[0].Number("output"), 0x5A5A) << "the engine's value was not handed over";
  EXPECT_NE(module[0].Number("output"), 0);
  EXPECT_EQ(module[0].Number("size"), 300);
  EXPECT_EQ(module[0].Number("one"), 1);
  EXPECT_EQ(module[0].Number("spectrumSize"), 120);
  EXPECT_EQ(module[0].Number("cleared"), 1);
  for (const char* entry : {"init", "render", "event", "shutdown"}) {
    EXPECT_NE(module[0].Number(entry), 0) << entry;
  }

  const Journal created = EntriesOf(run.engine, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"), HostDescriptor::kQcd);

  // The player's service named its window; the engine draws there and not into the buffer.
  const Journal services = EntriesOf(run.player, call::kService);
  ASSERT_FALSE(services.empty());
  EXPECT_EQ(services[0].Number("opcode"), 31);
  const int64_t window = EntriesOf(run.player, call::kStarted)[0].Number("window");
  EXPECT_EQ(services[0].Number("answer"), window);
  const Journal windows = Targets(run.engine, 4);
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].Number("target"), window);
  EXPECT_TRUE(Targets(run.engine, 1).empty());
  for (const JournalEntry& render : EntriesOf(run.player, call::kRender)) {
    EXPECT_EQ(render.Number("result"), 0);
    EXPECT_EQ(render.Number("drawn"), 0);
    EXPECT_EQ(render.Number("windowCorner"), kFirstBackground);
  }

  // 292 samples spread over the 1024 frames; the bands the engine asked for (176 at most).
  const Journal audio = Callbacks(run.engine, "GetS");
  ASSERT_EQ(audio.size(), 2u);
  EXPECT_EQ(audio[0].Number("samplesDelivered"),
            std::min<int64_t>(audio[0].Number("samplesWanted"), 292));
  EXPECT_EQ(audio[0].Number("bandsDelivered"),
            std::min<int64_t>(audio[0].Number("bandsWanted"), 176));

  ASSERT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
  EXPECT_EQ(refengine_journal::CallsOf(run.engine).back(), "ReleaseNVVisualAPI");
}

TEST_F(QcdPlayerTest, AResizedWindowIsHandedOverAgainAtTheNextRender) {
  const ScriptedRun run = Run(std::string("init; render; ") + kPause + "size 200 150; " + kPause +
                              "render; " + kPause + "render; shutdown");
  EXPECT_EQ(Targets(run.engine, 4).size(), 2u);
  const Journal renders = EntriesOf(run.player, call::kRender);
  ASSERT_EQ(renders.size(), 3u);
  EXPECT_EQ(renders[1].Number("width"), 200);
  EXPECT_EQ(renders[2].Number("windowCorner"), kFirstBackground);
}

TEST_F(QcdPlayerTest, WithoutAWindowTheEngineDrawsIntoTheVideoBufferAndFollowsItsSize) {
  const ScriptedRun run = Run(std::string("init; render; ") + kPause + "render; size 100 80; " +
                                  kPause + "render; shutdown",
                              BufferMode());
  EXPECT_EQ(EntriesOf(run.player, call::kService)[0].Number("answer"), 0);
  EXPECT_TRUE(Targets(run.engine, 4).empty());
  const Journal buffers = Targets(run.engine, 1);
  ASSERT_EQ(buffers.size(), 2u);
  struct Expected {
    int64_t width, height;
  } expected[] = {{160, 120}, {100, 80}};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(buffers[i].Number("format"), 14624) << i;
    EXPECT_EQ(buffers[i].Number("width"), expected[i].width) << i;
    EXPECT_EQ(buffers[i].Number("height"), expected[i].height) << i;
    EXPECT_EQ(buffers[i].Number("stride"), 4 * expected[i].width) << i;
    EXPECT_EQ(buffers[i].Number("planes"), 1) << i;
    EXPECT_NE(buffers[i].Number("extra"), 0) << "the rectangle of the description";
  }
  const Journal renders = EntriesOf(run.player, call::kRender);
  ASSERT_EQ(renders.size(), 3u);
  for (const JournalEntry& render : renders) {
    EXPECT_EQ(render.Number("result"), 1);
    EXPECT_EQ(render.Number("drawn"), render.Number("width") * render.Number("height"));
    EXPECT_EQ(render.Number("outside"), 0);
    EXPECT_EQ(render.Number("corner"), kFirstBackground);
  }
}

// The engine asks for its next frame a minute later, so the second render comes before it
// however slowly the machine runs the steps.
TEST_F(QcdPlayerTest, ARenderBeforeTheEnginesNextFrameDrawsNothing) {
  constexpr int64_t kLongPeriodMs = 60000;
  const ScriptedRun run = Run("init; render; render; render; shutdown",
                              BufferMode().Number("enginePeriod", kLongPeriodMs));
  const Journal renders = EntriesOf(run.player, call::kRender);
  ASSERT_EQ(renders.size(), 3u);
  EXPECT_EQ(renders[0].Number("result"), 1);
  EXPECT_NE(renders[0].Number("drawn"), 0);
  for (size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(renders[i].Number("result"), 0) << i;
    EXPECT_EQ(renders[i].Number("drawn"), 0) << i;
  }
  const Journal frames = EntriesOf(run.engine, "RunFrame");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Number("period"), kLongPeriodMs);
}

TEST_F(QcdPlayerTest, ButtonEventsReachTheEngineWithTheirKinds) {
  const ScriptedRun run =
      Run("init; render; event 2 5 6; event 3 7 8; event 6 9 10; event 1 11 12; shutdown");
  struct Expected {
    int64_t x, y, flags;
  } expected[] = {{5, 6, 0x10}, {7, 8, 0x210}, {9, 10, 0x80}};
  const Journal events = Requests(run.engine, "Evnt");
  ASSERT_EQ(events.size(), 3u) << "type 1 is no event for the engine";
  const Journal results = EntriesOf(run.player, call::kEvent);
  ASSERT_EQ(results.size(), 4u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(events[i].Number("x"), expected[i].x) << i;
    EXPECT_EQ(events[i].Number("y"), expected[i].y) << i;
    EXPECT_EQ(events[i].Number("flags"), expected[i].flags) << i;
    // 1 exactly when the engine answered non-zero.
    EXPECT_EQ(results[i].Number("result"), events[i].Number("answer") != 0 ? 1 : 0) << i;
  }
  EXPECT_EQ(results[3].Number("result"), 0);
}

// A description the engine cannot draw into is not handed over and no frame is drawn; the
// next good one is.
TEST_F(QcdPlayerTest, BadVideoBufferDescriptionsChangeNothing) {
  struct Case {
    const char* name;
    const char* step;
  } cases[] = {
      {"null pixel address", "nopixels"},
      {"zero width", "size 0 80"},
      {"zero height", "size 100 0"},
      {"negative size", "size -100 -80"},
  };
  for (const Case& c : cases) {
    const ScriptedRun run = Run(std::string("init; render; ") + kPause + c.step + "; render; " +
                                    kPause + "size 90 70; render; shutdown",
                                BufferMode());
    const Journal renders = EntriesOf(run.player, call::kRender);
    ASSERT_EQ(renders.size(), 3u) << c.name;
    EXPECT_EQ(renders[1].Number("result"), 0) << c.name;
    EXPECT_EQ(renders[1].Number("drawn"), 0) << c.name;
    EXPECT_EQ(renders[1].Number("outside"), 0) << c.name;
    EXPECT_EQ(renders[2].Number("drawn"), 90 * 70) << c.name;
    const Journal buffers = Targets(run.engine, 1);
    ASSERT_EQ(buffers.size(), 2u) << c.name;
    EXPECT_EQ(buffers[1].Number("width"), 90) << c.name;
    EXPECT_EQ(EntriesOf(run.engine, "RunFrame").size(), 2u) << c.name;
  }
}

TEST_F(QcdPlayerTest, WithoutAnEngineTheModuleIsNotOffered) {
  RemoveEngine();
  const ScriptedRun run = Run("init; render", {}, qcd_standin::kExitNoModule);
  const Journal module = EntriesOf(run.player, call::kModule);
  ASSERT_EQ(module.size(), 1u);
  EXPECT_EQ(module[0].Number("result"), 0);
  EXPECT_EQ(module[0].Number("size"), 0) << "the structure was filled";
  EXPECT_TRUE(run.engine.empty());
}

TEST_F(QcdPlayerTest, WithoutAStructureOnlyTheEnginesValueIsHandedOver) {
  const ScriptedRun run =
      Run("init", StandInCommand().Number("structure", 0), qcd_standin::kExitNoModule);
  const Journal module = EntriesOf(run.player, call::kModule);
  ASSERT_EQ(module.size(), 1u);
  EXPECT_EQ(module[0].Number("result"), 1);
  EXPECT_NE(module[0].Number("output"), 0x5A5A);
  EXPECT_TRUE(EntriesOf(run.engine, "CreateInstance").empty());
}

}  // namespace
