// The display control end to end under Wine: the stand-in media center finds NV_JMC.dll through
// its plug-in key, embeds it, serves its automation object and visualization objects, and
// drives the control; the reference engine is installed as the product. The tests read what
// the media center's objects were asked (the player's journal) and what the engine received.
#include <gtest/gtest.h>

#include <string>

#include "NV_JMC/JmcIdentity.h"
#include "NV_JMC/tests/win/MediaCenterRun.h"
#include "players/jriver/JRiverStandInControl.h"
#include "players/jriver/VisObjects.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = jriver_standin::call;

constexpr int64_t kKeyboardMenu = 0xFFFFFFFF;

MediaCenterRun Checked(const std::string& steps, const std::string& preferences = {}) {
  MediaCenterRun run = RunMediaCenter(steps, preferences);
  EXPECT_EQ(run.exitCode, jriver_standin::kExitNormal) << steps;
  EXPECT_EQ(UnexpectedLines(run.player), "") << steps;
  return run;
}

int64_t ControlWindow(const MediaCenterRun& run) {
  const Journal shown = EntriesOf(run.player, call::kShown);
  return shown.empty() ? 0 : shown[0].Number("window");
}

// What every run must leave behind: the engine's one instance destroyed, and each object the
// media center handed out destroyed exactly once, its automation and site given back.
void ExpectEverythingReleased(const MediaCenterRun& run, int64_t visObjects, int64_t helpers) {
  EXPECT_EQ(EntriesOf(run.engine, "CreateInstance").size(),
            EntriesOf(run.engine, "DestroyInstance").size());
  const Journal end = EntriesOf(run.player, call::kEnd);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(end[0].Number("visDestroyed"), visObjects);
  EXPECT_EQ(end[0].Number("redrawDestroyed"), helpers);
  EXPECT_EQ(end[0].Number("automationLeft"), 0);
  EXPECT_EQ(end[0].Number("siteLeft"), 0);
  for (const JournalEntry& destroyed : EntriesOf(run.player, call::kVisDestroy))
    EXPECT_EQ(destroyed.Number("flags"), 1);
}

TEST(MediaCenterControl, ShowsTheEngineWithTheMediaCentersAudioTrackAndCover) {
  const MediaCenterRun run =
      Checked("serve; track; cover; create; show; wait 600; resize 200 100; wait 200; end");
  const Journal created = EntriesOf(run.player, call::kCreated);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Number("result"), 0);
  EXPECT_EQ(created[0].Get("clsid"), jmc::kClassIdText);
  const Journal shown = EntriesOf(run.player, call::kShown);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Number("result"), 0);
  const int64_t window = ControlWindow(run);
  ASSERT_NE(window, 0);
  EXPECT_EQ(shown[0].Number("parent"), shown[0].Number("player"));
  // The interfaces a media center uses besides embedding, the type library's among them.
  const JournalEntry interfaces = EntriesOf(run.player, call::kInterfaces).at(0);
  EXPECT_EQ(interfaces.Number("miscStatus"), 131473);
  EXPECT_EQ(interfaces.Number("ambient"), 0);
  EXPECT_EQ(interfaces.Number("accelerator"), 1);  // S_FALSE: keys go to the window
  EXPECT_EQ(interfaces.Number("viewExtent"), 0);
  EXPECT_EQ(interfaces.Number("count"), 1);
  EXPECT_EQ(interfaces.Number("typeInfo"), 0);

  // The engine came up in the control's window with the media center's descriptor.
  const Journal instances = EntriesOf(run.engine, "CreateInstance");
  ASSERT_EQ(instances.size(), 1u);
  EXPECT_EQ(instances[0].Get("descriptor"), HostDescriptor::kJRiverMediaCenter);
  const Journal targets = EntriesOf(run.engine, "SetTarget");
  ASSERT_FALSE(targets.empty());
  EXPECT_EQ(targets[0].Number("target"), window);
  EXPECT_EQ(targets[0].Number("flags"), 4);
  EXPECT_GE(EntriesOf(run.engine, "RunFrame").size(), 3u);

  // The data object first, then the redraw helper, which got the control's window and 40.
  const Journal methods = EntriesOf(run.player, call::kMethod35);
  ASSERT_EQ(methods.size(), 2u);
  EXPECT_EQ(methods[0].Get("name"), "IVisData");
  EXPECT_EQ(methods[0].Get("argument"), "-1");
  EXPECT_EQ(methods[1].Get("name"), "IVisRedrawHelper");
  EXPECT_EQ(methods[1].Get("argument"), "");
  const Journal redraw = EntriesOf(run.player, call::kRedrawWindow);
  ASSERT_EQ(redraw.size(), 1u);
  EXPECT_EQ(redraw[0].Number("window"), window);
  EXPECT_EQ(redraw[0].Number("zero"), 0);
  EXPECT_EQ(redraw[0].Number("rateMilli"), 40000);

  // Audio on every frame: the refresh before the block, the newest 512 values and 64 bands.
  const Journal audio = Callbacks(run.engine, "GetS");
  ASSERT_GE(audio.size(), 3u);
  for (const JournalEntry& request : audio) {
    EXPECT_EQ(request.Number("status"), 0);
    EXPECT_EQ(request.Number("samplesDelivered"), 512);
    EXPECT_EQ(request.Number("bandsDelivered"), 64);
  }
  const Journal changes = EntriesOf(run.player, call::kVisChanged);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes[0].Number("what"), 3);
  EXPECT_EQ(EntriesOf(run.player, call::kVisRefresh).size(),
            EntriesOf(run.player, call::kVisSamples).size());

  // The one track change reached the engine, and with it the album-art file.
  const Journal tracks = Requests(run.engine, "Trck");
  ASSERT_EQ(tracks.size(), 1u);
  EXPECT_EQ(tracks[0].Number("mask"), 0xE0);
  EXPECT_EQ(tracks[0].Get("title"), "Night Drive");
  EXPECT_EQ(tracks[0].Get("artist"), "The Stand-ins");
  EXPECT_EQ(tracks[0].Get("album"), "Known Content");
  EXPECT_EQ(tracks[0].Number("year"), 2004);
  const std::string cover = EntriesOf(run.player, call::kCover).at(0).Get("path");
  const Journal art = Callbacks(run.engine, "GArt");
  ASSERT_EQ(art.size(), 1u);
  EXPECT_EQ(art[0].Number("status"), 0);
  EXPECT_EQ(art[0].Get("kind"), "FilW");
  EXPECT_EQ(art[0].Get("path"), cover);
  EXPECT_EQ(art[0].Number("length"), int64_t(cover.size()));
  const Journal released = Callbacks(run.engine, "RArt");
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0].Number("decoded"), 0);

  ExpectEverythingReleased(run, 1, 1);
}

TEST(MediaCenterControl, RightClickAndContextMenuKeyReachTheParent) {
  const MediaCenterRun run =
      Checked("serve; create; show; wait 200; rclick 10 12; key 93; char 93; key 65; wait 200; end");
  const JournalEntry clicked = EntriesOf(run.player, call::kClicked).at(0);
  const Journal events = EntriesOf(run.player, call::kPluginEvent);
  ASSERT_EQ(events.size(), 3u);
  // The click as a screen point, x in the low word and y in the high word.
  EXPECT_EQ(events[0].Number("wParam"), 0);
  EXPECT_EQ(events[0].Number("lParam"),
            (clicked.Number("x") & 0xFFFF) | (clicked.Number("y") & 0xFFFF) << 16);
  // The Apps key, and the character ] that shares its code; another key is the engine's.
  EXPECT_EQ(events[1].Number("lParam"), kKeyboardMenu);
  EXPECT_EQ(events[2].Number("lParam"), kKeyboardMenu);
  EXPECT_EQ(events[2].Number("wParam"), 0);
  ExpectEverythingReleased(run, 1, 1);
}

TEST(MediaCenterControl, TheRedrawHelperGetsTheEnginesFrameRate) {
  const MediaCenterRun run =
      Checked("serve; create; show; wait 200; end",
          PreferenceText("Graphics.TargetFrameRate", 'i', "25"));
  const Journal redraw = EntriesOf(run.player, call::kRedrawWindow);
  ASSERT_EQ(redraw.size(), 1u);
  EXPECT_EQ(redraw[0].Number("rateMilli"), 25000);
  ExpectEverythingReleased(run, 1, 1);
}

// No media center is running, but its class can be created: the control creates it (asking
// for IUnknown), runs it, and only then asks it for the visualization data object.
TEST(MediaCenterControl, AMediaCenterThatIsNotRunningIsCreatedAndRun) {
  const MediaCenterRun run = Checked("factory; track; create; show; wait 400; end");
  const Journal& player = run.player;
  const auto first = [&player](const char* name) {
    for (size_t i = 0; i < player.size(); ++i)
      if (player[i].call == name) return i;
    return player.size();
  };
  const Journal created = EntriesOf(player, call::kServerCreate);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("iid"), "{00000000-0000-0000-C000-000000000046}");
  EXPECT_EQ(created[0].Number("outer"), 0);
  ASSERT_EQ(EntriesOf(player, call::kServerRun).size(), 1u);
  const Journal objects = EntriesOf(player, call::kMethod35);
  ASSERT_FALSE(objects.empty());
  EXPECT_EQ(objects[0].Get("name"), "IVisData");
  EXPECT_EQ(objects[0].Get("argument"), "-1");
  EXPECT_NE(objects[0].Number("answer"), 0);
  EXPECT_LT(first(call::kServerCreate), first(call::kServerRun));
  EXPECT_LT(first(call::kServerRun), first(call::kMethod35));
  // The created media center serves the engine as a running one does.
  EXPECT_FALSE(Requests(run.engine, "Trck").empty());
  ExpectEverythingReleased(run, 1, 1);
}

// Without a media center to talk to, the engine still draws: no audio, no track data.
TEST(MediaCenterControl, WithoutAMediaCenterTheEngineStillRuns) {
  const MediaCenterRun run = Checked("create; show; wait 400; end");
  EXPECT_EQ(ControlWindow(run) != 0, true);
  EXPECT_TRUE(EntriesOf(run.player, call::kMethod35).empty());
  EXPECT_GE(EntriesOf(run.engine, "RunFrame").size(), 3u);
  for (const JournalEntry& request : Callbacks(run.engine, "GetS")) {
    EXPECT_EQ(request.Number("samplesDelivered"), 0);
    EXPECT_EQ(request.Number("bandsDelivered"), 0);
  }
  EXPECT_TRUE(Requests(run.engine, "Trck").empty());
  ExpectEverythingReleased(run, 0, 0);
}

// A media center that misbehaves: the control keeps the engine running and gives it what can
// be had, and every object it was handed still goes exactly once.
TEST(MediaCenterControl, AMisbehavingMediaCenterChangesNothingItShouldNot) {
  struct Case {
    const char* name;
    const char* setup;
    int64_t visObjects;         // data objects destroyed at the end
    int64_t helpers;            // redraw helpers destroyed at the end
    int64_t samplesDelivered;   // on every audio request
    int64_t trackMask;          // -1: no track sent
    size_t titleUnits;
    int64_t artStatus;  // of every 'GArt': 55027 without a file name
  };
  const Case cases[] = {
      {"method 35 fails", "fail35; track", 0, 0, 0, -1, 0, 55027},
      {"method 35 answers 0", "zero35; track", 0, 0, 0, -1, 0, 55027},
      {"no sample block", "nullsamples", 1, 1, 0, -1, 0, 55027},
      {"null texts", "nulltexts; track", 1, 1, 512, 0, 0, 55027},
      // The file name is a text like the others: handed over, counted, and not found.
      {"texts without terminator", "endlesstexts; track", 1, 1, 512, 0xE0, 255, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MediaCenterRun run =
        Checked(std::string("serve; ") + c.setup + "; create; show; wait 400; end");
    EXPECT_GE(EntriesOf(run.engine, "RunFrame").size(), 3u);
    const Journal audio = Callbacks(run.engine, "GetS");
    ASSERT_FALSE(audio.empty());
    for (const JournalEntry& request : audio) {
      EXPECT_EQ(request.Number("status"), 0);
      EXPECT_EQ(request.Number("samplesDelivered"), c.samplesDelivered);
    }
    const Journal tracks = Requests(run.engine, "Trck");
    if (c.trackMask < 0) {
      EXPECT_TRUE(tracks.empty());
    } else {
      ASSERT_EQ(tracks.size(), 1u);
      EXPECT_EQ(tracks[0].Number("mask"), c.trackMask);
      EXPECT_EQ(tracks[0].Get("title"), std::string(c.titleUnits, 'x'));
      EXPECT_EQ(tracks[0].Number("year"), 0);
    }
    for (const JournalEntry& art : Callbacks(run.engine, "GArt"))
      EXPECT_EQ(art.Number("status"), c.artStatus);
    ExpectEverythingReleased(run, c.visObjects, c.helpers);
  }
}

// A container calling out of order: a picture before activation, a second SetClientSite,
// Close twice, and the last release without SetClientSite(null).
TEST(MediaCenterControl, ContainerCallsOutOfOrderDoNoHarm) {
  const MediaCenterRun run =
      Checked("serve; create; draw; show; site; wait 300; close; close; draw; show; wait 200; "
          "close; release; end");
  const Journal drawn = EntriesOf(run.player, call::kDrawn);
  ASSERT_EQ(drawn.size(), 2u);
  for (const JournalEntry& picture : drawn) {
    EXPECT_EQ(picture.Number("result"), 0);
    EXPECT_EQ(picture.Number("pixel"), 0);  // black: the engine draws only in the window
  }
  // The window came back after Close, but the host had gone with the first window.
  const Journal shown = EntriesOf(run.player, call::kShown);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].Number("result"), 0);
  EXPECT_EQ(EntriesOf(run.engine, "CreateInstance").size(), 1u);
  EXPECT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
  const Journal released = EntriesOf(run.player, call::kReleased);
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0].Number("left"), 0);
  ExpectEverythingReleased(run, 1, 1);
}

}  // namespace
