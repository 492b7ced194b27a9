// The iTunes visual plug-in end to end: the stand-in iTunes loads the plug-in through
// iTunesPluginMain, takes its registration through the application callback and drives the
// handler with a view window of its own, with the reference engine installed as the product.
// The tests read what the engine received (its journal) and what the player saw (its journal:
// the plug-in's messages, the view window's procedure and pixels).
#include <gtest/gtest.h>

#include <string>

#include "players/itunes/ItunesStandInControl.h"
#include "vis_Omnihost/itunes/ItunesRecords.h"
#include "vis_Omnihost/tests/win/ScriptedPlayerTest.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
using winamp_standin::StandInCommand;
namespace call = itunes_standin::call;
namespace status = itunes::status;

constexpr wchar_t kProgram[] = L"ItunesStandIn.exe";
constexpr char kStart[] = "init; hinit; ";
// The reference engine's first palette: the colour of its spectrum bars, as 0xRRGGBB.
constexpr int64_t kFirstBars = 0x46AAFF;
constexpr int64_t kWindowTarget = 4;
constexpr int64_t kFullscreenFlag = 1024;

// The engine's window targets, in order (target 0: detached).
Journal WindowTargets(const Journal& engine) {
  Journal targets;
  for (const JournalEntry& entry : EntriesOf(engine, "SetTarget")) {
    if ((entry.Number("flags") & kWindowTarget) != 0 || entry.Number("target") == 0) {
      targets.push_back(entry);
    }
  }
  return targets;
}

// Only the attachments to a window, in order.
Journal Attachments(const Journal& engine) {
  Journal attached;
  for (const JournalEntry& entry : WindowTargets(engine)) {
    if (entry.Number("target") != 0) attached.push_back(entry);
  }
  return attached;
}

// The player's handler calls of one code.
Journal HandlerCalls(const Journal& player, const std::string& code) {
  return EntriesOf(player, call::kHandler, code);
}

int64_t ViewWindow(const ScriptedRun& run) {
  return EntriesOf(run.player, call::kStarted)[0].Number("window");
}

using ItunesPlayerTest = ScriptedPlayerTest<kProgram>;

TEST_F(ItunesPlayerTest, TheMainEntryRegistersTheVisualPluginAndAnswersItsOtherMessages) {
  const ScriptedRun run = Run("init; main 2; main 3; hinit; hinit; send 14; main 1");
  const Journal registered = EntriesOf(run.player, call::kRegister);
  ASSERT_EQ(registered.size(), 1u);
  const JournalEntry& r = registered[0];
  EXPECT_EQ(r.Number("major"), 10);
  EXPECT_EQ(r.Number("minor"), 9);
  EXPECT_EQ(r.Number("size"), sizeof(void*) == 8 ? 580 : 572);
  EXPECT_EQ(r.Number("nameLength"), 8);
  EXPECT_EQ(r.Get("name"), "Glimmora");
  EXPECT_EQ(r.Number("options"), 2);
  EXPECT_EQ(r.Get("creator"), "hook");
  EXPECT_EQ(r.Number("version"), 0x00010002);
  EXPECT_NE(r.Number("handler"), 0);
  EXPECT_EQ(r.Number("reference"), 0);
  EXPECT_EQ(r.Number("pulseRate"), 60);
  EXPECT_EQ(r.Number("waveformChannels"), 2);
  EXPECT_EQ(r.Number("spectrumChannels"), 2);
  EXPECT_EQ(r.Number("minWidth"), 300);
  EXPECT_EQ(r.Number("minHeight"), 200);
  EXPECT_EQ(r.Number("maxWidth"), 32767);
  EXPECT_EQ(r.Number("maxHeight"), 32767);

  const Journal mains = EntriesOf(run.player, call::kMain);
  ASSERT_EQ(mains.size(), 4u);
  const struct {
    const char* code;
    int64_t result;
  } expectedMains[] = {{"init", 0}, {"prqt", 0}, {"zzzz", status::kUnimplemented}, {"0x636c7220", 0}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(mains[i].Get("code"), expectedMains[i].code) << i;
    EXPECT_EQ(mains[i].Number("result"), expectedMains[i].result) << i;
  }

  // The handler's init keeps one host, which iTunes then hands back as the reference.
  const Journal inits = HandlerCalls(run.player, "init");
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[0].Number("result"), 0);
  EXPECT_NE(inits[0].Number("reference"), 0);
  EXPECT_EQ(inits[1].Number("reference"), inits[0].Number("reference"));
  EXPECT_EQ(HandlerCalls(run.player, "zzzz")[0].Number("result"), status::kUnimplemented);
  // The engine library is loaded at init; an instance only starts with a view window.
  EXPECT_EQ(EntriesOf(run.engine, "GetNVVisualAPI").size(), 1u);
  EXPECT_TRUE(EntriesOf(run.engine, "CreateInstance").empty());
}

// The engine draws into the view window, paced by the draw calls, is detached by 'Vdct' (the
// window's own procedure back) and attached again by 'Vact'; 'clr ' ends the instance.
TEST_F(ItunesPlayerTest, TheEngineDrawsIntoTheViewWindowUntilItIsHidden) {
  const ScriptedRun run = Run(std::string(kStart) +
                              "show 0; draw 10; state; hide; state; show 0; draw 2; state; "
                              "send 13; state; main 1");
  const Journal created = EntriesOf(run.engine, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"), HostDescriptor::kITunes);

  const int64_t view = ViewWindow(run);
  const Journal targets = WindowTargets(run.engine);
  ASSERT_EQ(targets.size(), 4u);
  const int64_t expected[] = {view, 0, view, 0};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(targets[i].Number("target"), expected[i]) << i;
  EXPECT_EQ(targets[0].Number("flags"), kWindowTarget) << "a window is not fullscreen";
  EXPECT_NE(targets[0].Number("extra"), 0) << "the client rectangle goes with the window";

  const Journal states = EntriesOf(run.player, call::kState);
  ASSERT_EQ(states.size(), 4u);
  // The window runs the plug-in's procedure only while the engine draws into it.
  const int64_t expectedOwn[] = {0, 1, 0, 1};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(states[i].Number("own"), expectedOwn[i]) << i;
  // Without pulses the engine gets silence: its bars stay low, the point shows background.
  EXPECT_EQ(states[0].Number("bar"), kFirstBackground);

  // Every draw ran a frame and slept for the rest of the engine's period.
  const Journal draws = HandlerCalls(run.player, "Vdrw");
  ASSERT_EQ(draws.size(), 2u);
  const Journal frames = EntriesOf(run.engine, "RunFrame");
  ASSERT_FALSE(frames.empty());
  const int64_t period = frames[0].Number("period");
  EXPECT_GE(draws[0].Number("ms"), 10 * (period - 1) * 8 / 10) << "draws were not paced";
  // One frame at each show, one for each draw.
  EXPECT_EQ(frames.size(), 1u + 10u + 1u + 2u);
  EXPECT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
  EXPECT_EQ(refengine_journal::CallsOf(run.engine).back(), "ReleaseNVVisualAPI");
}

// Three pulses with one waveform keep the audio; the fourth is taken for a stuck buffer and
// gives silence until the waveform changes. A pulse without data is silence too.
TEST_F(ItunesPlayerTest, RepeatedPulsesFallSilentAfterTheThird) {
  const ScriptedRun run = Run(std::string(kStart) +
                              "show 0; pulse 1; draw 1; state; pulse 1; draw 1; state; "
                              "pulse 1; draw 1; state; pulse 1; draw 1; state; "
                              "pulse 2; draw 1; state; nopulse; draw 1; state; send 6");
  const int64_t expectedBar[] = {kFirstBars,       kFirstBars, kFirstBars,
                                 kFirstBackground, kFirstBars, kFirstBackground};
  const Journal states = EntriesOf(run.player, call::kState);
  ASSERT_EQ(states.size(), 6u);
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(states[i].Number("bar"), expectedBar[i]) << i;
  for (const JournalEntry& pulse : HandlerCalls(run.player, "Vpls")) {
    EXPECT_EQ(pulse.Number("result"), 0);
    EXPECT_EQ(pulse.Number("rate"), 60);
  }
  // The engine's requests: one at the show (no pulse yet), then one for each draw; the
  // stand-in's quiet waveform still peaks above zero.
  const Journal audio = Callbacks(run.engine, "GetS");
  ASSERT_EQ(audio.size(), 7u);
  const bool audible[] = {false, true, true, true, false, true, false};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(audio[i].Number("peakMilli") > 0, audible[i]) << "request " << i;
  }
  for (const JournalEntry& request : audio) {
    EXPECT_EQ(request.Number("status"), 0);
    EXPECT_EQ(request.Number("samplesDelivered"), std::min<int64_t>(request.Number("samplesWanted"), 256));
    EXPECT_EQ(request.Number("bandsDelivered"), std::min<int64_t>(request.Number("bandsWanted"), 256));
  }
}

// The titles the engine is told, from the track and stream records of kTrackCases; every
// update asks iTunes for the cover.
TEST_F(ItunesPlayerTest, TrackAndStreamRecordsGiveTheEngineItsTitles) {
  const ScriptedRun run =
      Run(std::string(kStart) + "show 0; play 0; ctrk 1; play 2; play 3; ctrk 4; play 5");
  const struct {
    const char* name;
    std::string title, artist, album;
    int64_t year;
  } expected[] = {
      {"nothing yet", "", "", "", 0},
      {"a whole track", "Blue Hour", "Ada Lane", "Night Drives", 2019},
      {"only a file name", "track07.mp3", "", "", 0},
      {"a stream with a message", "Radio Glow", "", "Live from the coast", 0},
      {"a stream with only its address", "Radio Glow", "Host Voice", "http://radio.example/glow",
       0},
      {"a stream with a track name", "Radio Glow", "", "Station Name", 0},
      {"a length unit above 255", std::string(255, 'n'), "", "", 0},
  };
  const Journal tracks = Requests(run.engine, "Trck");
  ASSERT_EQ(tracks.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(tracks[i].Number("mask"), 224) << expected[i].name;
    EXPECT_EQ(tracks[i].Get("title"), expected[i].title) << expected[i].name;
    EXPECT_EQ(tracks[i].Get("artist"), expected[i].artist) << expected[i].name;
    EXPECT_EQ(tracks[i].Get("album"), expected[i].album) << expected[i].name;
    EXPECT_EQ(tracks[i].Number("year"), expected[i].year) << expected[i].name;
  }
  const Journal asks = EntriesOf(run.player, call::kPlayerCall, "rart");
  ASSERT_EQ(asks.size(), std::size(expected));
  for (const JournalEntry& ask : asks) {
    EXPECT_EQ(ask.Number("size"), sizeof(void*) == 8 ? 580 : 572);
    EXPECT_EQ(ask.Number("zeroTail"), 1);
  }
}

TEST_F(ItunesPlayerTest, CoverBytesReachTheEngineAsAnImageAndNoCoverTakesItAway) {
  const ScriptedRun run = Run("init; art; hinit; art; show 0; art; draw 1; noart");
  const Journal covers = Requests(run.engine, "CArt");
  // Before an instance there is no engine to tell.
  ASSERT_EQ(covers.size(), 2u);
  const JournalEntry sent = HandlerCalls(run.player, "Vart")[2];
  EXPECT_EQ(covers[0].Get("kind"), "IBuf");
  EXPECT_EQ(covers[0].Number("bytes"), sent.Number("byteCount"));
  EXPECT_EQ(covers[0].Number("answer"), 0);
  EXPECT_EQ(covers[0].Number("coverWidth"), itunes_standin::kCoverWidth);
  EXPECT_EQ(covers[0].Number("coverHeight"), itunes_standin::kCoverHeight);
  EXPECT_EQ(covers[1].Number("kind"), 0);
  EXPECT_EQ(covers[1].Number("answer"), 0);
  for (const JournalEntry& art : HandlerCalls(run.player, "Vart")) {
    EXPECT_EQ(art.Number("result"), 0);
  }
}

// The engine's wish for fullscreen goes to iTunes as 'sful' (reset first, then the wish); an
// attach within the next 3 seconds keeps the state asked for, a later one does not. A refused
// 'sful' answers the engine 55010.
TEST_F(ItunesPlayerTest, FullscreenRequestsGoToItunesAndAreRememberedForThreeSeconds) {
  // 102: the engine's fullscreen key switches on, off and on again.
  const ScriptedRun run = Run(std::string(kStart) +
                              "show 0; key 102; show 0; key 102; key 102; wait 3200; show 0");
  const Journal asks = Callbacks(run.engine, "FSHt");
  ASSERT_EQ(asks.size(), 3u);
  const int64_t expectedWishes[] = {1, 0, 1};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(asks[i].Number("on"), expectedWishes[i]) << i;
    EXPECT_EQ(asks[i].Number("status"), 0) << i;
  }
  const Journal sful = EntriesOf(run.player, call::kPlayerCall, "sful");
  ASSERT_EQ(sful.size(), 5u);
  const int64_t expectedStates[] = {0, 1, 0, 0, 1};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(sful[i].Number("fullscreen"), expectedStates[i]) << i;
    EXPECT_EQ(sful[i].Number("major"), 10) << i;
    EXPECT_EQ(sful[i].Number("minor"), 9) << i;
    EXPECT_EQ(sful[i].Number("size"), sizeof(void*) == 8 ? 580 : 572) << i;
    EXPECT_EQ(sful[i].Number("zeroTail"), 1) << i;
  }
  const Journal targets = Attachments(run.engine);
  ASSERT_EQ(targets.size(), 3u);
  EXPECT_EQ(targets[0].Number("flags"), kWindowTarget);
  EXPECT_EQ(targets[1].Number("flags"), kWindowTarget | kFullscreenFlag)
      << "the attach right after the request keeps fullscreen";
  EXPECT_EQ(targets[2].Number("flags"), kWindowTarget) << "a request older than 3 s is forgotten";

  const ScriptedRun refused =
      Run(std::string(kStart) + "show 0; key 102", StandInCommand().Number("sful", 1));
  const Journal refusedAsks = Callbacks(refused.engine, "FSHt");
  ASSERT_EQ(refusedAsks.size(), 1u);
  EXPECT_EQ(refusedAsks[0].Number("status"), 55010);
}

TEST_F(ItunesPlayerTest, AViewWindowAsLargeAsItsMonitorCountsAsFullscreen) {
  const ScriptedRun run = Run(std::string(kStart) + "monitor; show 0; move 0; move 1");
  const Journal monitor = EntriesOf(run.player, call::kMonitor);
  ASSERT_EQ(monitor.size(), 1u);
  ASSERT_GT(monitor[0].Number("width"), itunes_standin::kViewWidth);
  const Journal targets = Attachments(run.engine);
  ASSERT_EQ(targets.size(), 3u);
  for (const JournalEntry& target : targets) {
    EXPECT_EQ(target.Number("flags"), kWindowTarget | kFullscreenFlag);
  }
}

// A view window destroyed while the engine draws into it: the engine lets go of it, and the
// window runs its own procedure again by the time that procedure sees WM_DESTROY.
TEST_F(ItunesPlayerTest, AViewWindowDestroyedWhileAttachedGetsItsProcedureBack) {
  const ScriptedRun run = Run(std::string(kStart) + "show 0; draw 1; destroy; draw 2; state; hide");
  const Journal destroyed = EntriesOf(run.player, call::kViewDestroy);
  ASSERT_EQ(destroyed.size(), 1u);
  EXPECT_EQ(destroyed[0].Number("own"), 1);
  // Detached at the destruction, and once more by the 'Vdct' after it.
  const Journal targets = WindowTargets(run.engine);
  ASSERT_EQ(targets.size(), 3u);
  EXPECT_EQ(targets[1].Number("target"), 0);
  EXPECT_EQ(targets[2].Number("target"), 0);
  EXPECT_EQ(EntriesOf(run.player, call::kState)[0].Number("exists"), 0);
}

// Messages without the record they need answer -50 and change nothing; the engine sees no
// target, track, cover or audio from them.
TEST_F(ItunesPlayerTest, MessagesWithoutTheirRecordsAnswerBadParameterAndChangeNothing) {
  const ScriptedRun run = Run(
      "nullinit; init; nullmsg 0; hinit; nullmsg 1; show 0; nullmsg 2; nullmsg 3; nullmsg 4; "
      "nullmsg 5; nullmsg 6; draw 1; hide");
  EXPECT_EQ(EntriesOf(run.player, call::kMain)[0].Number("result"), status::kBadParameter);
  const char* codes[] = {"init", "Vact", "Vmov", "Vpls", "Vply", "Ctrk", "Vart"};
  for (const char* code : codes) {
    const Journal calls = HandlerCalls(run.player, code);
    ASSERT_FALSE(calls.empty()) << code;
    EXPECT_EQ(calls[0].Number("result"), status::kBadParameter) << code;
  }
  // The one track request is the one the show sent.
  EXPECT_EQ(Requests(run.engine, "Trck").size(), 1u);
  EXPECT_TRUE(Requests(run.engine, "CArt").empty());
  EXPECT_EQ(WindowTargets(run.engine).size(), 2u);
}

// After 'clr ' the reference iTunes keeps names no host: later messages are harmless.
TEST_F(ItunesPlayerTest, MessagesAfterTheHandlerIsClearedAreHarmless) {
  const ScriptedRun run = Run(std::string(kStart) +
                              "show 0; send 13; show 0; draw 1; pulse 1; play 0; art; send 2; "
                              "move 1; send 1; state");
  for (const JournalEntry& handled : EntriesOf(run.player, call::kHandler)) {
    EXPECT_EQ(handled.Number("result"), 0) << handled.Get("code");
  }
  EXPECT_EQ(EntriesOf(run.engine, "CreateInstance").size(), 1u);
  EXPECT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
  EXPECT_EQ(EntriesOf(run.player, call::kState)[0].Number("own"), 1);
}

TEST_F(ItunesPlayerTest, WithoutAnEngineInitFailsAndTheHandlerStaysBlank) {
  RemoveEngine();
  const ScriptedRun run = Run(std::string(kStart) + "show 0; draw 2; pulse 1; play 0; state; hide");
  EXPECT_EQ(HandlerCalls(run.player, "init")[0].Number("result"), status::kFileNotFound);
  EXPECT_TRUE(run.engine.empty());
  EXPECT_EQ(EntriesOf(run.player, call::kState)[0].Number("own"), 1);
}

}  // namespace
