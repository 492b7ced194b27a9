// The effect in a stand-in player, end to end under Wine with the reference engine installed as
// the product: the player's core, windows and frame loop as the player drives them, the engine's
// journal as the record of what the effect did to the engine, and the stand-in core's journal
// and reference counts as the record of what it did to the player.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>

#include "NV_WMP/tests/win/EffectHarness.h"
#include "players/wmp/StandInCore.h"
#include "testsupport/win/InstalledProduct.h"

namespace wmptest {
namespace {

using wmpstandin::CoreSetup;
using wmpstandin::StandInCore;

constexpr char kPlayerDescriptor[] =
    "Host=\"Windows Media Player\" Realtime=1 FSFlags=2 Kybd=0 Mouse=1 HostAudio=1"
    "                          ";

class EffectPlayerTest : public InstalledEngineTest {
 protected:
  void SetUp() override {
    InstalledEngineTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_NE(EffectModule(), nullptr);
  }
  void TearDown() override { EXPECT_EQ(ModuleCanUnloadNow(), S_OK) << "an object was left"; }

  // An effect connected to a stand-in core, drawing into the windows, as the player starts it.
  wmp::Effects* Start(StandInCore* core, PlayerWindows* windows) {
    wmp::Effects* effect = NewEffect();
    if (effect == nullptr) return nullptr;
    if (core != nullptr) effect->table->SetCore(effect, core);
    windows->RouteTo(effect);
    effect->table->Create(effect, windows->EffectWindow());
    return effect;
  }
  // The player's order at the end: Destroy, SetCore(null), release.
  static void Stop(wmp::Effects* effect, PlayerWindows* windows) {
    effect->table->Destroy(effect);
    effect->table->SetCore(effect, nullptr);
    windows->RouteTo(nullptr);
    EXPECT_EQ(effect->table->Release(effect), 0u);
  }

  EngineJournal journal_;
};

TEST_F(EffectPlayerTest, EngineStartsAfterTheSettleFramesAndDrawsIntoThePlayersWindow) {
  PlayerWindows windows;
  StandInCore* core = new StandInCore(CoreSetup{});
  wmp::Effects* effect = Start(core, &windows);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(core->Journal().Count("ConnectionPoint.Advise"), 1);

  const wmp::TimedLevel sound = Levels(60);
  RenderFrames(effect, 2, sound);
  EXPECT_TRUE(Calls(journal_.Read(), "CreateInstance").empty()) << "started before 3 renderings";
  RenderFrames(effect, 1, sound);
  const Journal started = journal_.Read();
  const Journal created = Calls(started, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"), kPlayerDescriptor);
  const Journal targets = Calls(started, "SetTarget");
  ASSERT_FALSE(targets.empty());
  EXPECT_EQ(targets.back().Number("target"), int64_t(uintptr_t(windows.EffectWindow())));
  EXPECT_EQ(targets.back().Number("flags"), 4);
  // The track and the cover at once, then the insets of the first attach.
  const std::vector<std::string> order = refengine_journal::CallsOf(started);
  EXPECT_FALSE(Calls(started, "Request", "Trck").empty());
  EXPECT_FALSE(Calls(started, "Request", "CArt").empty());
  EXPECT_FALSE(Calls(started, "Request", "Nset").empty());

  // Frames come from the pump while levels arrive; every request reads in steps of 128.
  RenderFrames(effect, 30, sound);
  const Journal running = journal_.Read();
  EXPECT_GE(Calls(running, "RunFrame").size(), 2u);
  EXPECT_GE(windows.PumpMessagesHandled(), 2);
  const Journal audio = Calls(running, "Callback", "GetS");
  ASSERT_FALSE(audio.empty());
  for (const JournalEntry& request : audio) {
    const int64_t delivered = request.Number("samplesDelivered");
    EXPECT_TRUE(delivered == 512 || delivered == 384 || delivered == 256 || delivered == 128)
        << delivered;
    EXPECT_EQ(request.Number("bandsDelivered"), 64);
  }
  EXPECT_GT(audio.back().Number("peakMilli"), 100) << "the player's sound reached the engine";

  Stop(effect, &windows);
  const Journal ended = journal_.Read();
  EXPECT_EQ(Calls(ended, "DestroyInstance").size(), 1u);
  EXPECT_EQ(core->Journal().Count("ConnectionPoint.Unadvise 1"), 1);
  EXPECT_EQ(core->Outstanding(), 0) << "the effect kept a reference";
  EXPECT_TRUE(core->Journal().Unexpected().empty());
  core->ReleaseOwner();
}

TEST_F(EffectPlayerTest, APausedPlayerGivesSilence) {
  PlayerWindows windows;
  StandInCore* core = new StandInCore(CoreSetup{});
  wmp::Effects* effect = Start(core, &windows);
  ASSERT_NE(effect, nullptr);
  RenderFrames(effect, 10, Levels(60));
  core->SetPlayState(wmppsPaused);
  RenderFrames(effect, 10, Levels(60));
  const size_t before = Calls(journal_.Read(), "Callback", "GetS").size();
  RenderFrames(effect, 15, Levels(60));
  const Journal audio = Calls(journal_.Read(), "Callback", "GetS");
  ASSERT_GT(audio.size(), before);
  for (size_t i = before; i < audio.size(); ++i) {
    EXPECT_EQ(audio[i].Number("peakMilli"), 0) << "request " << i;
  }
  Stop(effect, &windows);
  EXPECT_EQ(core->Outstanding(), 0);
  core->ReleaseOwner();
}

TEST_F(EffectPlayerTest, ASeekSilencesTheEngineUntilTheNextRendering) {
  PlayerWindows windows;
  StandInCore* core = new StandInCore(CoreSetup{});
  wmp::Effects* effect = Start(core, &windows);
  ASSERT_NE(effect, nullptr);
  RenderFrames(effect, 10, Levels(60));
  ASSERT_GT(Calls(journal_.Read(), "Callback", "GetS").back().Number("peakMilli"), 100);
  // The player seeks and then leaves the effect to the pump for a while.
  ASSERT_TRUE(core->SendPositionChange(1.0, 30.0));
  const size_t before = Calls(journal_.Read(), "Callback", "GetS").size();
  PumpMessages(300);
  const Journal audio = Calls(journal_.Read(), "Callback", "GetS");
  ASSERT_GT(audio.size(), before) << "the pump asks for frames after a seek";
  for (size_t i = before; i < audio.size(); ++i) {
    EXPECT_EQ(audio[i].Number("peakMilli"), 0) << "request " << i;
  }
  RenderFrames(effect, 5, Levels(60));
  EXPECT_GT(Calls(journal_.Read(), "Callback", "GetS").back().Number("peakMilli"), 100);
  Stop(effect, &windows);
  EXPECT_EQ(core->Outstanding(), 0);
  core->ReleaseOwner();
}

TEST_F(EffectPlayerTest, TwoEffectsShareOneEngineInstanceAndTheLastDestroyStopsIt) {
  PlayerWindows windows;
  StandInCore* core = new StandInCore(CoreSetup{});
  wmp::Effects* first = Start(core, &windows);
  ASSERT_NE(first, nullptr);
  RenderFrames(first, 5, Levels(30));
  wmp::Effects* second = NewEffect();
  ASSERT_NE(second, nullptr);
  second->table->SetCore(second, core);
  RenderFrames(first, 3, Levels(30));
  EXPECT_EQ(Calls(journal_.Read(), "CreateInstance").size(), 1u);

  first->table->Destroy(first);  // another object still holds the host
  EXPECT_TRUE(Calls(journal_.Read(), "DestroyInstance").empty());
  second->table->Destroy(second);  // the last one: the instance goes, the host stays
  EXPECT_EQ(Calls(journal_.Read(), "DestroyInstance").size(), 1u);

  second->table->SetCore(second, nullptr);
  first->table->SetCore(first, nullptr);
  windows.RouteTo(nullptr);
  EXPECT_EQ(first->table->Release(first), 0u);
  EXPECT_EQ(second->table->Release(second), 0u);
  EXPECT_EQ(core->Outstanding(), 0);
  core->ReleaseOwner();

  // A fresh object afterwards builds a fresh host and a fresh instance.
  PlayerWindows again;
  wmp::Effects* third = Start(nullptr, &again);
  RenderFrames(third, 4, Levels(30));
  EXPECT_EQ(Calls(journal_.Read(), "CreateInstance").size(), 2u);
  Stop(third, &again);
}

TEST_F(EffectPlayerTest, EngineFullscreenRequestIsTheAltEnterOfThePlayersMainWindow) {
  struct Case {
    const char* name;
    bool mainWindow;
    int64_t status;
    int toggles;
  };
  const Case cases[] = {
      {"with the player's main window", true, 0, 1},
      {"without it", false, 55013, 0},
  };
  for (const Case& c : cases) {
    EngineJournal journal;
    PlayerWindows windows(c.mainWindow);
    wmp::Effects* effect = Start(nullptr, &windows);
    ASSERT_NE(effect, nullptr);
    RenderFrames(effect, 4, Levels(0));
    ASSERT_FALSE(Calls(journal.Read(), "CreateInstance").empty()) << c.name;
    // The engine's fullscreen key: it asks its host ('FSHt').
    SendMessageW(windows.EffectWindow(), WM_CHAR, 'f', 0);
    PumpMessages(50);
    const Journal asked = Calls(journal.Read(), "Callback", "FSHt");
    ASSERT_EQ(asked.size(), 1u) << c.name;
    EXPECT_EQ(asked[0].Number("on"), 1) << c.name;
    EXPECT_EQ(asked[0].Number("status"), c.status) << c.name;
    EXPECT_EQ(windows.FullscreenToggles(), c.toggles) << c.name;
    Stop(effect, &windows);
  }
}

TEST_F(EffectPlayerTest, LevelsWithoutAWindowOrCoreChangeNothing) {
  wmp::Effects* effect = NewEffect();
  ASSERT_NE(effect, nullptr);
  wmp::TimedLevel levels = Levels(60);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(effect->table->RenderWindowed(effect, &levels, TRUE), S_OK);
    EXPECT_EQ(effect->table->RenderFullScreen(effect, &levels), S_OK);
  }
  EXPECT_TRUE(Calls(journal_.Read(), "CreateInstance").empty());
  EXPECT_EQ(effect->table->Release(effect), 0u);
}

}  // namespace
}  // namespace wmptest
