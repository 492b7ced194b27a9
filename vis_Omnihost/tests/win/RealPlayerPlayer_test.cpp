// The RealPlayer visualization end to end: the stand-in RealPlayer creates the object through
// MPACreateVisualization and drives it from a thread other than its windows', with the
// reference engine installed as the product. The tests read what the engine received (its
// journal) and what the player saw of its windows.
#include <gtest/gtest.h>

#include <string>

#include "players/realplayer/RealPlayerStandInControl.h"
#include "vis_Omnihost/PluginIdentity.h"
#include "vis_Omnihost/realplayer/RealPlayerRecords.h"
#include "vis_Omnihost/tests/win/ScriptedPlayerTest.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
using winamp_standin::StandInCommand;
namespace call = realplayer_standin::call;
namespace result = realplayer::result;

constexpr wchar_t kProgram[] = L"RealPlayerStandIn.exe";
constexpr char kStart[] = "create; init; activate 1; ";

// The engine's window targets, in order (null: detached).
Journal WindowTargets(const Journal& engine) {
  Journal targets;
  for (const JournalEntry& entry : EntriesOf(engine, "SetTarget")) {
    if ((entry.Number("flags") & 4) != 0) targets.push_back(entry);
  }
  return targets;
}

int64_t WindowOf(const ScriptedRun& run, int which) {
  return EntriesOf(run.player, call::kStarted)[0].Number(which == 1 ? "window1" : "window2");
}

using RealPlayerTest = ScriptedPlayerTest<kProgram>;

TEST_F(RealPlayerTest, TheObjectDescribesItselfAndAnswersItsInterfaces) {
  const ScriptedRun run = Run("create; query; init; describe; caps; others; release");
  const Journal created = EntriesOf(run.player, call::kCreate);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Number("result"), 0);

  const Journal queries = EntriesOf(run.player, call::kQuery);
  ASSERT_EQ(queries.size(), 3u);
  EXPECT_EQ(queries[0].Number("result"), 0);
  EXPECT_EQ(queries[0].Number("same"), 1);
  EXPECT_EQ(queries[1].Number("result"), 0);
  EXPECT_EQ(queries[1].Number("same"), 1);
  EXPECT_EQ(queries[2].Number("result"), result::kNoInterface);
  EXPECT_EQ(queries[2].Number("answer"), 0);

  // Initialise kept the context's service, and the last release gave it back.
  const Journal contextQueries = EntriesOf(run.player, call::kContextQuery);
  ASSERT_EQ(contextQueries.size(), 1u);
  EXPECT_EQ(contextQueries[0].Number("known"), 1);
  EXPECT_EQ(EntriesOf(run.player, call::kInitialise)[0].Number("result"), 0);
  const Journal serviceReleases = EntriesOf(run.player, call::kServiceRelease);
  ASSERT_EQ(serviceReleases.size(), 1u);
  EXPECT_EQ(serviceReleases[0].Number("left"), 0);

  const JournalEntry describe = EntriesOf(run.player, call::kDescribe)[0];
  EXPECT_EQ(describe.Get("product"), omnihost::kProductName);
  EXPECT_EQ(describe.Get("maker"), omnihost::kMakerName);
  EXPECT_EQ(describe.Get("address"), omnihost::kMakerAddress);

  const JournalEntry caps = EntriesOf(run.player, call::kCapabilities)[0];
  EXPECT_EQ(caps.Number("result"), 0);
  EXPECT_EQ(caps.Number("value"), 0);
  EXPECT_EQ(caps.Number("flag"), 1);
  const Journal properties = EntriesOf(run.player, call::kProperty);
  ASSERT_EQ(properties.size(), 2u);
  EXPECT_EQ(properties[0].Get("name"), "SupportConfigure");
  EXPECT_EQ(properties[0].Number("value"), 0);
  EXPECT_EQ(properties[1].Get("name"), "RenderMode");
  EXPECT_EQ(properties[1].Number("value"), 1);

  const Journal others = EntriesOf(run.player, call::kOperation);
  ASSERT_EQ(others.size(), 4u);
  const int64_t expected[] = {0, result::kNotImplemented, result::kNotImplemented,
                              result::kNotImplemented};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(others[i].Number("result"), expected[i]) << i;
  EXPECT_EQ(EntriesOf(run.player, call::kRelease)[0].Number("left"), 0);
}

// The engine draws into the player's window, paced by the render timer on the window's
// thread, with the player's audio; moving to the second window gives the first its own
// procedure and user data back.
TEST_F(RealPlayerTest, TheEngineDrawsIntoThePlayersWindowAndMovesToAnother) {
  const ScriptedRun run = Run(std::string(kStart) +
                              "window 1; audio 5; state; window 2; wait 300; state; window 0; "
                              "state; release");
  const Journal created = EntriesOf(run.engine, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"), HostDescriptor::kRealPlayer);
  EXPECT_EQ(EntriesOf(run.player, call::kActivate)[0].Number("result"), 0);

  const Journal targets = WindowTargets(run.engine);
  ASSERT_GE(targets.size(), 3u);
  EXPECT_EQ(targets[0].Number("target"), WindowOf(run, 1));
  EXPECT_EQ(targets[0].Number("flags"), 0x10004);
  EXPECT_EQ(targets[1].Number("target"), 0) << "the first window was not detached first";
  EXPECT_EQ(targets[2].Number("target"), WindowOf(run, 2));

  const Journal insets = Requests(run.engine, "Nset");
  ASSERT_EQ(insets.size(), 2u);
  for (const JournalEntry& entry : insets) {
    EXPECT_EQ(entry.Number("left"), 0);
    EXPECT_EQ(entry.Number("top"), 10);
    EXPECT_EQ(entry.Number("right"), 0);
    EXPECT_EQ(entry.Number("bottom"), 10);
  }

  // Frames came from the timer, with the player's audio.
  EXPECT_GE(EntriesOf(run.engine, "RunFrame").size(), 3u);
  const Journal audio = Callbacks(run.engine, "GetS");
  ASSERT_FALSE(audio.empty());
  EXPECT_EQ(audio.back().Number("samplesDelivered"),
            std::min<int64_t>(audio.back().Number("samplesWanted"), 512));
  EXPECT_EQ(audio.back().Number("bandsDelivered"),
            std::min<int64_t>(audio.back().Number("bandsWanted"), 256));

  const Journal states = EntriesOf(run.player, call::kState);
  ASSERT_EQ(states.size(), 6u);
  for (const JournalEntry& state : states) EXPECT_EQ(state.Number("responsive"), 1);
  // In window 1: the object's procedure, the engine's picture.
  EXPECT_EQ(states[0].Number("own"), 0);
  EXPECT_EQ(states[0].Number("pixel"), kFirstBackground);
  EXPECT_EQ(states[1].Number("own"), 1);
  // Moved to window 2: window 1 has its own procedure and user data again.
  EXPECT_EQ(states[2].Number("own"), 1);
  EXPECT_EQ(states[2].Number("userData"), realplayer_standin::kWindowUserData);
  EXPECT_EQ(states[3].Number("own"), 0);
  EXPECT_EQ(states[3].Number("pixel"), kFirstBackground);
  // No window: both are the player's again.
  for (size_t i = 4; i < 6; ++i) {
    EXPECT_EQ(states[i].Number("own"), 1) << i;
    EXPECT_EQ(states[i].Number("userData"), realplayer_standin::kWindowUserData) << i;
  }
  for (const JournalEntry& set : EntriesOf(run.player, call::kSetWindow)) {
    EXPECT_EQ(set.Number("result"), 0);
  }
  ASSERT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
}

TEST_F(RealPlayerTest, ActivateWithoutAnEngineFails) {
  RemoveEngine();
  const ScriptedRun run = Run("create; init; activate 1; activate 0; window 1; state; release");
  const Journal activate = EntriesOf(run.player, call::kActivate);
  ASSERT_EQ(activate.size(), 2u);
  EXPECT_EQ(activate[0].Number("result"), result::kFail);
  EXPECT_EQ(activate[1].Number("result"), 0);
  EXPECT_TRUE(run.engine.empty());
}

// Moving away from a window whose thread does not run its messages, or that is gone, does not
// hold the player's calling thread for ever.
TEST_F(RealPlayerTest, MovingAwayFromAWindowThatCannotAnswerEndsInBoundedTime) {
  struct Case {
    const char* name;
    const char* trouble;
    int64_t longestMs;
  } cases[] = {
      {"destroyed window", "destroy 1; ", 1000},
      {"window thread busy", "hang 6000; ", 4000},
  };
  for (const Case& c : cases) {
    const ScriptedRun run =
        Run(std::string(kStart) + "window 1; wait 200; " + c.trouble + "window 2; release");
    const Journal sets = EntriesOf(run.player, call::kSetWindow);
    ASSERT_EQ(sets.size(), 2u) << c.name;
    EXPECT_EQ(sets[1].Number("result"), 0) << c.name;
    EXPECT_LT(sets[1].Number("ms"), c.longestMs) << c.name;
  }
}

// The player lets the object go while the windows' thread is held inside one of the plug-in's
// own frames, longer than the object waits for it. The host and its timer must outlive that
// frame: the window's thread, once it runs again, ends the frame, detaches the engine, hands
// the window back and destroys the instance there; nothing reaches the engine afterwards.
TEST_F(RealPlayerTest, AnObjectLetGoWhileItsWindowsThreadIsHeldInAFrameEndsOnThatThread) {
  const ScriptedRun run = Run(std::string(kStart) +
                              "window 1; wait 300; framehang 3000; wait 200; release; "
                              "wait 3000; state");
  EXPECT_EQ(EntriesOf(run.player, call::kRelease)[0].Number("left"), 0);

  // The engine's calls, in order: the held frame, its end, then the detach and the destruction.
  const Journal& engine = run.engine;
  const auto next = [&engine](size_t from, auto&& matches) {
    while (from < engine.size() && !matches(engine[from])) ++from;
    return from;
  };
  const size_t held = next(0, [](const JournalEntry& e) {
    return e.call == "Delay" && e.Get("call") == "RunFrame";
  });
  ASSERT_LT(held, engine.size()) << "no frame was held";
  const size_t heldFrame = next(held, [](const JournalEntry& e) { return e.call == "RunFrame"; });
  ASSERT_LT(heldFrame, engine.size()) << "the held frame never ended";
  EXPECT_EQ(engine[heldFrame].Number("known"), 1) << "the instance went during its frame";

  ASSERT_EQ(EntriesOf(engine, "DestroyInstance").size(), 1u);
  const size_t destroyedAt =
      next(heldFrame, [](const JournalEntry& e) { return e.call == "DestroyInstance"; });
  ASSERT_LT(destroyedAt, engine.size()) << "the instance was destroyed before the frame ended";
  bool detached = false;
  for (size_t i = heldFrame; i < destroyedAt; ++i) {
    const JournalEntry& entry = engine[i];
    detached |= entry.call == "SetTarget" && entry.Number("target") == 0;
  }
  EXPECT_TRUE(detached) << "the engine was not detached from the window before it went";
  for (size_t i = destroyedAt + 1; i < engine.size(); ++i) {
    EXPECT_NE(engine[i].call, "RunFrame") << "a frame after the instance was destroyed";
    EXPECT_NE(engine[i].call, "SetTarget") << i;
  }

  // The window is the player's again and its thread runs.
  const Journal states = EntriesOf(run.player, call::kState);
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(states[0].Number("responsive"), 1);
  EXPECT_EQ(states[0].Number("own"), 1);
  EXPECT_EQ(states[0].Number("userData"), realplayer_standin::kWindowUserData);
}

// A window the object stopped waiting for stays with the object's hand-back until its thread
// runs again: moving back to it meanwhile fails and changes nothing; once the thread has run,
// the window is the player's again and can be taken anew.
TEST_F(RealPlayerTest, AWindowStillBeingHandedBackCannotBeTakenAgain) {
  const ScriptedRun run = Run(std::string(kStart) +
                              "window 1; wait 200; hang 3000; window 2; window 1; wait 3500; "
                              "state; window 1; wait 300; state; release");
  const Journal sets = EntriesOf(run.player, call::kSetWindow);
  ASSERT_EQ(sets.size(), 4u);
  EXPECT_EQ(sets[1].Number("result"), 0);
  EXPECT_EQ(sets[2].Number("result"), result::kFail);
  EXPECT_EQ(sets[3].Number("result"), 0);
  const Journal states = EntriesOf(run.player, call::kState);
  ASSERT_EQ(states.size(), 4u);
  // After the held thread ran: window 1 is the player's, window 2 has the engine.
  EXPECT_EQ(states[0].Number("own"), 1);
  EXPECT_EQ(states[0].Number("userData"), realplayer_standin::kWindowUserData);
  EXPECT_EQ(states[1].Number("own"), 0);
  // Taken again: window 1 has the engine, window 2 is the player's.
  EXPECT_EQ(states[2].Number("own"), 0);
  EXPECT_EQ(states[3].Number("own"), 1);
  EXPECT_EQ(states[3].Number("userData"), realplayer_standin::kWindowUserData);
  const Journal targets = WindowTargets(run.engine);
  ASSERT_FALSE(targets.empty());
  EXPECT_EQ(targets.back().Number("target"), 0);
  int64_t attachedLast = 0;
  for (const JournalEntry& target : targets)
    if (target.Number("target") != 0) attachedLast = target.Number("target");
  EXPECT_EQ(attachedLast, WindowOf(run, 1));
  ASSERT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
}

TEST_F(RealPlayerTest, BadInputGetsItsResultAndChangesNothing) {
  const ScriptedRun run = Run(
      std::string(kStart) + "window 1; badwindow; nullwindow; nullaudio; wait 200; state; release");
  const Journal sets = EntriesOf(run.player, call::kSetWindow);
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(sets[1].Number("result"), result::kInvalidArgument);
  EXPECT_EQ(sets[2].Number("result"), result::kPointer);
  EXPECT_EQ(EntriesOf(run.player, call::kAudio)[0].Number("result"), 0);
  // Still drawing into window 1.
  const Journal states = EntriesOf(run.player, call::kState);
  EXPECT_EQ(states[0].Number("own"), 0);
  EXPECT_EQ(states[0].Number("pixel"), kFirstBackground);
  size_t attached = 0;
  for (const JournalEntry& target : WindowTargets(run.engine))
    attached += target.Number("target") != 0;
  EXPECT_EQ(attached, 1u);

  const ScriptedRun withoutContext =
      Run("create; init; release", StandInCommand().Number("context", 0));
  EXPECT_EQ(EntriesOf(withoutContext.player, call::kInitialise)[0].Number("result"),
            result::kNoInterface);
  EXPECT_TRUE(EntriesOf(withoutContext.player, call::kServiceRelease).empty());
}

}  // namespace
