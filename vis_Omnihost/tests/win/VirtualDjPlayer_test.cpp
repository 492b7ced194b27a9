// The VirtualDJ 8 video effect end to end: the stand-in VirtualDJ loads the plug-in through
// DllGetClassObject, calls the object's operations in VirtualDJ's order with a Direct3D 9 device
// of its own and feeds it audio, mouse and keys, with the reference engine installed as the
// product. The tests read what the engine received (its journal), what the player saw (its
// journal) and what the engine left in the device's render target.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "players/virtualdj/VirtualDjStandInControl.h"
#include "vis_Omnihost/tests/win/ScriptedPlayerTest.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = virtualdj_standin::call;

constexpr wchar_t kProgram[] = L"VirtualDjStandIn.exe";
constexpr char kOpen[] = "create; info 16; load; start; ";
// Longer than the reference engine's frame period, so that the next draw draws.
constexpr char kPause[] = "wait 60; ";
constexpr int64_t kClassNotAvailable = 0x80040111;

// The engine's targets that are the player's device (flags 0x20, no kind).
Journal DeviceTargets(const ScriptedRun& run) {
  const int64_t device = EntriesOf(run.player, call::kStarted).at(0).Number("device");
  Journal targets;
  for (const JournalEntry& entry : EntriesOf(run.engine, "SetTarget")) {
    if (entry.Number("target") == device) targets.push_back(entry);
  }
  return targets;
}

Journal Operations(const ScriptedRun& run, const std::string& name) {
  Journal found;
  for (const JournalEntry& entry : EntriesOf(run.player, call::kOperation)) {
    if (entry.Get("name") == name) found.push_back(entry);
  }
  return found;
}

using VirtualDjPlayerTest = ScriptedPlayerTest<kProgram>;

TEST_F(VirtualDjPlayerTest, OnlyVirtualDjsClassAndVideoEffectInterfaceAreAnswered) {
  const ScriptedRun run = Run("ids; create; release");
  const Journal ids = EntriesOf(run.player, call::kIds);
  ASSERT_EQ(ids.size(), std::size(virtualdj_standin::kRefusedIds) + 1);
  for (size_t i = 0; i + 1 < ids.size(); ++i) {
    EXPECT_EQ(ids[i].Number("result"), kClassNotAvailable) << ids[i].Get("name");
    EXPECT_EQ(ids[i].Number("written"), 0) << ids[i].Get("name");
  }
  EXPECT_NE(ids.back().Number("result"), 0) << "a null result pointer was accepted";
  const Journal created = EntriesOf(run.player, call::kCreate);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Number("result"), 0);
  EXPECT_NE(created[0].Number("object"), 0);
  EXPECT_TRUE(run.engine.empty()) << "no engine before load";
}

TEST_F(VirtualDjPlayerTest, InformationNamesThePluginAndHandsOutTheInputEventsOnlyWhenAsked) {
  const ScriptedRun run = Run("create; info 0; info 16; info 3; nullinfo; release");
  const Journal infos = EntriesOf(run.player, call::kInfo);
  ASSERT_EQ(infos.size(), 4u);
  struct Expected {
    int64_t flags;
    bool events;
  } expected[] = {{0x20004, false}, {0x20014, true}, {0x20007, false}};
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(infos[i].Number("result"), 0);
    EXPECT_EQ(infos[i].Get("name"), "Glimmora");
    EXPECT_EQ(infos[i].Get("author"), "Novalume, Inc.");
    EXPECT_EQ(infos[i].Get("description"), "Glimmora for VirtualDJ");
    EXPECT_EQ(infos[i].Get("version"), "2.5");
    EXPECT_EQ(infos[i].Number("flags"), expected[i].flags);
    if (expected[i].events) {
      EXPECT_NE(infos[i].Number("events"), 0x5A5A);
      EXPECT_NE(infos[i].Number("events"), 0);
    } else {
      EXPECT_EQ(infos[i].Number("events"), 0x5A5A) << "the record was written past its flags";
    }
  }
  EXPECT_EQ(infos[3].Number("result"), int32_t(0x80004003u)) << "a null record";
}

// Before load there is no host: every operation answers 0 and nothing reaches an engine.
TEST_F(VirtualDjPlayerTest, EveryOperationBeforeLoadAnswersZeroAndDoesNothing) {
  const ScriptedRun run =
      Run("create; info 16; start; deviceinit; draw; audio 500; nullaudio; down 5 6 4; up 5 6 4; "
          "key 34 0 81; stop; deviceclose; release");
  for (const JournalEntry& entry : EntriesOf(run.player, call::kOperation)) {
    EXPECT_EQ(entry.Number("result"), 0) << entry.Get("name");
  }
  EXPECT_EQ(EntriesOf(run.player, call::kAudio).at(0).Number("result"), 0);
  const Journal draws = EntriesOf(run.player, call::kDraw);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].Number("result"), 0);
  EXPECT_EQ(draws[0].Number("drawn"), 0);
  EXPECT_TRUE(EntriesOf(run.player, call::kGetDevice).empty());
  for (const JournalEntry& mouse : EntriesOf(run.player, call::kMouse)) {
    EXPECT_EQ(mouse.Number("answer"), 0) << mouse.Get("kind");
  }
  EXPECT_TRUE(run.engine.empty());
}

TEST_F(VirtualDjPlayerTest, TheEngineDrawsOnThePlayersDeviceWithTheViewportsSize) {
  const ScriptedRun run =
      Run(std::string(kOpen) + "others; viewport 320 240; draw; " + kPause + "draw; stop; release");
  const Journal created = EntriesOf(run.engine, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"), HostDescriptor::kVirtualDj);

  const Journal devices = EntriesOf(run.player, call::kGetDevice);
  ASSERT_EQ(devices.size(), 1u) << "the attached device is used until it is detached";
  EXPECT_EQ(devices[0].Number("engine"), 1);

  const Journal targets = DeviceTargets(run);
  ASSERT_EQ(targets.size(), 1u);
  EXPECT_EQ(targets[0].Number("flags"), 0x20);
  EXPECT_EQ(targets[0].Number("device"), 1) << "the engine took it for a Direct3D 9 device";
  EXPECT_EQ(targets[0].Number("left"), 0);
  EXPECT_EQ(targets[0].Number("top"), 0);
  EXPECT_EQ(targets[0].Number("right"), 320);
  EXPECT_EQ(targets[0].Number("bottom"), 240);

  const Journal draws = EntriesOf(run.player, call::kDraw);
  ASSERT_EQ(draws.size(), 2u);
  for (const JournalEntry& draw : draws) {
    EXPECT_EQ(draw.Number("result"), 0);
    EXPECT_EQ(draw.Number("drawn"), 1) << "the render target still holds the player's colour";
  }
  EXPECT_EQ(EntriesOf(run.engine, "RunFrame").size(), 2u);
  // Stop detaches; release ends the instance and the engine library.
  const Journal all = EntriesOf(run.engine, "SetTarget");
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.back().Number("target"), 0);
  EXPECT_EQ(EntriesOf(run.engine, "DestroyInstance").size(), 1u);
  EXPECT_EQ(refengine_journal::CallsOf(run.engine).back(), "ReleaseNVVisualAPI");

  for (const char* name : {"parameter", "parameterText", "userInterface"}) {
    const Journal operation = Operations(run, name);
    ASSERT_EQ(operation.size(), 1u) << name;
    EXPECT_EQ(operation[0].Number("result"),
              std::string(name) == "parameter" ? 0 : int32_t(0x80004001u))
        << name;
  }
}

TEST_F(VirtualDjPlayerTest, AViewportChangeReattachesOnceWithTheNewSizeAndAnUnchangedOneNever) {
  const ScriptedRun run =
      Run(std::string(kOpen) + "viewport 320 180; draw; " + kPause + "draw; viewport 640 360; " +
          kPause + "draw; " + kPause + "draw; release");
  const Journal targets = DeviceTargets(run);
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_EQ(targets[0].Number("right"), 320);
  EXPECT_EQ(targets[0].Number("bottom"), 180);
  EXPECT_EQ(targets[1].Number("right"), 640);
  EXPECT_EQ(targets[1].Number("bottom"), 360);
  EXPECT_EQ(EntriesOf(run.player, call::kGetDevice).size(), 1u);
}

// Start and device init force a new attach at the next draw; stop and device close detach,
// after which the next draw asks VirtualDJ for its device again.
TEST_F(VirtualDjPlayerTest, StartAndDeviceInitReattachStopAndDeviceCloseDetach) {
  const ScriptedRun run =
      Run(std::string(kOpen) + "draw; deviceinit; draw; start; draw; draw; deviceclose; " + kPause +
          "draw; stop; " + kPause + "draw; release");
  EXPECT_EQ(DeviceTargets(run).size(), 5u);
  EXPECT_EQ(EntriesOf(run.player, call::kGetDevice).size(), 3u);
  // Each detach is a null target: device close, stop, and the end of the instance at release.
  size_t detaches = 0;
  for (const JournalEntry& entry : EntriesOf(run.engine, "SetTarget")) {
    detaches += entry.Number("target") == 0 ? 1 : 0;
  }
  EXPECT_EQ(detaches, 3u);
}

// A device whose viewport cannot be read is never handed to the engine and no frame is drawn;
// when VirtualDJ has no device at all, likewise. The real device is taken at the next draw.
TEST_F(VirtualDjPlayerTest, ADeviceThatFailsGetViewportOrNoDeviceDrawsNothing) {
  const ScriptedRun run =
      Run(std::string(kOpen) + "device 2; draw; device 0; draw; device 1; " + "draw; release");
  EXPECT_EQ(EntriesOf(run.player, call::kFailedViewport).size(), 1u);
  const Journal devices = EntriesOf(run.player, call::kGetDevice);
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_NE(devices[1].Number("answer"), 0);
  const Journal targets = EntriesOf(run.engine, "SetTarget");
  ASSERT_EQ(targets.size(), 2u) << "only the real device, and the detach at release";
  EXPECT_EQ(DeviceTargets(run).size(), 1u);
  EXPECT_EQ(EntriesOf(run.engine, "RunFrame").size(), 1u);
  for (const JournalEntry& draw : EntriesOf(run.player, call::kDraw)) {
    EXPECT_EQ(draw.Number("result"), 0);
  }
}

TEST_F(VirtualDjPlayerTest, GetsGivesTheNewestSamplesAndTheTonesBandIsTheStrongest) {
  const ScriptedRun run = Run(std::string(kOpen) + "audio 300; draw; " + kPause +
                              "audio 2000; nullaudio; draw; " + kPause + "stop; draw; release");
  const Journal fed = EntriesOf(run.player, call::kAudio);
  ASSERT_EQ(fed.size(), 2u);
  const Journal audio = Callbacks(run.engine, "GetS");
  ASSERT_EQ(audio.size(), 3u);
  // 300 held: all of them, the newest last.
  EXPECT_EQ(audio[0].Number("samplesDelivered"), 300);
  EXPECT_EQ(audio[0].Number("newestSampleMicro"), fed[0].Number("newestMicro"));
  // 2300 held: as many as wanted, the newest last; the bands show the tone.
  EXPECT_EQ(audio[1].Number("samplesDelivered"), audio[1].Number("samplesWanted"));
  EXPECT_EQ(audio[1].Number("newestSampleMicro"), fed[1].Number("newestMicro"));
  const int64_t bands = audio[1].Number("bandsWanted");
  ASSERT_GT(bands, 0);
  EXPECT_EQ(audio[1].Number("bandsDelivered"), bands);
  const double position =
      double(bands) * std::log(virtualdj_standin::kToneHz / 120.0) / std::log(8000.0 / 120.0);
  EXPECT_NEAR(double(audio[1].Number("strongestBand")), position, 1.0);
  // Stop emptied the history: the next draw (with a new attach) gets no samples.
  EXPECT_EQ(audio[2].Number("samplesDelivered"), 0);
}

TEST_F(VirtualDjPlayerTest, MouseAndKeysReachTheEngineWithVirtualDjsModifiersConverted) {
  // Loaded but not started: no instance to take the event. Then 0x22 page down, 0x41 A (scan
  // code 30), 0x70 F1 (no character: no event).
  const ScriptedRun run =
      Run("create; info 16; load; up 7 8 0; key 34 0 81; start; draw; move 1 2 0; down 10 20 4; "
          "up 11 21 1; down 3 4 10; key 34 0 81; key 65 2 30; key 112 0 59; release");
  const Journal events = Requests(run.engine, "Evnt");
  struct Expected {
    int64_t x, y, flags, key;
  } expected[] = {
      {10, 20, 0x10 | 0x1, 0}, {11, 21, 0x210 | 0x4, 0}, {3, 4, 0x10 | 0x2 | 0x8, 0},
      {0, 0, 0x0, 0xF72D},     {0, 0, 0x0 | 0x2, 'a'},
  };
  ASSERT_EQ(events.size(), std::size(expected));
  for (size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(events[i].Number("x"), expected[i].x);
    EXPECT_EQ(events[i].Number("y"), expected[i].y);
    EXPECT_EQ(events[i].Number("flags"), expected[i].flags);
    EXPECT_EQ(events[i].Number("key"), expected[i].key);
  }
  const Journal mouse = EntriesOf(run.player, call::kMouse);
  ASSERT_EQ(mouse.size(), 5u);
  EXPECT_EQ(mouse[0].Number("answer"), 0) << "up without an instance";
  EXPECT_EQ(mouse[1].Number("answer"), 0) << "move";
  EXPECT_EQ(mouse[2].Number("answer"), 0) << "down";
  EXPECT_EQ(mouse[4].Number("answer"), 0) << "down";
  // Up: true unless the engine did not take it.
  const int64_t engineAnswer = events[1].Number("answer");
  EXPECT_EQ(mouse[3].Number("answer"), engineAnswer != 55019 && engineAnswer != 55012 ? 1 : 0);
}

TEST_F(VirtualDjPlayerTest, TheSkinDescribesTheEffectPanelAndItsPictureHoldsEveryState) {
  const ScriptedRun run = Run("skin");
  const Journal image = EntriesOf(run.player, call::kSkinImage);
  ASSERT_EQ(image.size(), 1u);
  EXPECT_EQ(image[0].Number("decoded"), 1);
  EXPECT_EQ(image[0].Number("width"), 252);
  EXPECT_EQ(image[0].Number("height"), 542);

  const Journal xml = EntriesOf(run.player, call::kSkinXml);
  ASSERT_EQ(xml.size(), 1u);
  ASSERT_EQ(xml[0].Number("parsed"), 1) << xml[0].Get("error");
  EXPECT_EQ(xml[0].Get("root"), "Skin");
  EXPECT_EQ(xml[0].Get("name"), "DezizEdorozuvOder");
  EXPECT_EQ(xml[0].Get("version"), "8");
  EXPECT_EQ(xml[0].Get("width"), "252");
  EXPECT_EQ(xml[0].Get("height"), "252");
  EXPECT_EQ(xml[0].Get("first"), "Copyright");
  EXPECT_NE(xml[0].Get("copyright"), "");

  struct Control {
    const char* element;
    const char* action;
    const char* tooltip;
    int64_t x, y, width, height;
  } controls[] = {
      {"button",
       "video_fx_select 'DezizEdorozuvOder' ? video_fx ? on & video_fx : off & video_fx : "
       "video_fx_select 'DezizEdorozuvOder' & video_fx",
       "Toggle Effect", 8, 4, 16, 16},
      {"button", "effect_show_gui", "Close Effect", 227, 4, 17, 16},
      {"button", "effect_dock_gui", "Dock Effect", 204, 4, 17, 16},
      {"button", "effect_button 1", "Button 1:", 170, 42, 67, 17},
      {"button", "effect_button 2", "Button 2:", 93, 213, 67, 17},
      {"button", "effect_button 3", "Button 3:", 62, 213, 25, 17},
      {"slider", "effect_slider 1", "Slider 1:", 185, 75, 37, 37},
      {"slider", "effect_slider 2", "Slider 2:", 185, 135, 37, 37},
      {"slider", "effect_slider 3", "", 27, 46, 130, 128},
      {"slider", "effect_slider 5", "Slider 5:", 185, 195, 37, 37},
  };
  const Journal found = EntriesOf(run.player, call::kSkinControl);
  ASSERT_EQ(found.size(), std::size(controls));
  for (size_t i = 0; i < found.size(); ++i) {
    SCOPED_TRACE(controls[i].action);
    EXPECT_EQ(found[i].Get("element"), controls[i].element);
    EXPECT_EQ(found[i].Get("action"), controls[i].action);
    EXPECT_EQ(found[i].Get("tooltip"), controls[i].tooltip);
    EXPECT_EQ(found[i].Number("x"), controls[i].x);
    EXPECT_EQ(found[i].Number("y"), controls[i].y);
    EXPECT_EQ(found[i].Number("width"), controls[i].width);
    EXPECT_EQ(found[i].Number("height"), controls[i].height);
  }
  for (size_t i : {6u, 7u, 9u}) EXPECT_EQ(found[i].Get("orientation"), "round");
  EXPECT_EQ(found[8].Get("orientation"), "2d");
  EXPECT_EQ(found[8].Get("action2"), "effect_slider 4");
  EXPECT_EQ(found[8].Get("direction"), "right");
  EXPECT_EQ(found[8].Get("direction2"), "down");

  // Where each state sits in the picture, in the order the controls give them.
  struct State {
    int64_t control;
    const char* state;
    int64_t x, y, width, height;
  } states[] = {
      {0, "up", 8, 4, 16, 16},
      {0, "selected", 8, 257, 16, 16},
      {0, "over", 8, 257, 16, 16},
      {1, "up", 227, 4, 17, 16},
      {1, "over", 227, 257, 17, 16},
      {2, "up", 204, 4, 17, 16},
      {2, "over", 204, 257, 17, 16},
      {2, "selected", 204, 257, 17, 16},
      {3, "up", 170, 42, 67, 17},
      {3, "over", 170, 293, 67, 17},
      {3, "selected", 170, 275, 67, 17},
      {3, "down", 170, 293, 67, 17},
      {3, "overselected", 170, 275, 67, 17},
      {4, "up", 93, 213, 67, 17},
      {4, "over", 170, 293, 67, 17},
      {4, "selected", 170, 275, 67, 17},
      {4, "down", 170, 293, 67, 17},
      {4, "overselected", 170, 275, 67, 17},
      {5, "up", 62, 213, 25, 17},
      {5, "over", 62, 275, 25, 17},
      {5, "selected", 62, 275, 25, 17},
      {5, "down", 62, 275, 25, 17},
      {5, "overselected", 62, 275, 25, 17},
      {6, "clipmask", 4, 501, 37, 37},
      {6, "fader", 4, 312, 185, 185},
      {7, "clipmask", 4, 501, 37, 37},
      {7, "fader", 4, 312, 185, 185},
      {8, "off", 27, 46, 130, 128},
      {8, "on", 27, 46, 130, 128},
      {8, "fader", 37, 262, 14, 14},
      {9, "clipmask", 4, 501, 37, 37},
      {9, "fader", 4, 312, 185, 185},
  };
  const Journal placed = EntriesOf(run.player, call::kSkinState);
  ASSERT_EQ(placed.size(), std::size(states));
  for (size_t i = 0; i < placed.size(); ++i) {
    SCOPED_TRACE(testing::Message() << states[i].control << " " << states[i].state);
    EXPECT_EQ(placed[i].Number("control"), states[i].control);
    EXPECT_EQ(placed[i].Get("state"), states[i].state);
    EXPECT_EQ(placed[i].Number("x"), states[i].x);
    EXPECT_EQ(placed[i].Number("y"), states[i].y);
    EXPECT_EQ(placed[i].Number("width"), states[i].width);
    EXPECT_EQ(placed[i].Number("height"), states[i].height);
    EXPECT_EQ(placed[i].Number("inside"), 1);
    EXPECT_EQ(placed[i].Number("painted"), 1);
  }
}

}  // namespace
