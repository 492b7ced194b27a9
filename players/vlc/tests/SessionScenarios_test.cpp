// Sessions of the built module as VLC drives them: two audio outputs at once, an input with
// video while a session lingers, and the audio output closing while a session starts or from
// the session thread itself. Assertions are on the engine's journal, the window, the VLC log
// the stand-in keeps and the module's own lines; waits are for those events, with deadlines.
#include <windows.h>

#include <chrono>
#include <string>

#include "players/vlc/tests/VlcModuleFixture.h"
#include "testsupport/win/Waiting.h"

namespace {

using namespace refengine_journal;

class SessionScenarioTest : public VlcModuleTest {
 protected:
  void SetUp() override {
    VlcModuleTest::SetUp();
    ASSERT_TRUE(ModuleProduct().ok());
  }

  // The reason of the first session end the module reported, once it did (empty: none yet).
  std::string EndReason() const {
    for (const std::string& line : debugOutput.Lines()) {
      const size_t at = line.find("session: ended (");
      if (at != std::string::npos) return line.substr(at);
    }
    for (const std::string& line : StandInLog()) {
      const size_t at = line.find("session: ended (");
      if (at != std::string::npos) return line.substr(at);
    }
    return {};
  }
  std::string WaitForEndReason() {
    WaitUntil([this] { return !EndReason().empty(); });
    return EndReason();
  }

  vlc_object_t* NewAudioOutput() {
    vlc_object_t* another = StandIn_NewObject("audio output", playlist, sizeof(audio_output_t));
    StandIn_CreateVariable(another, "audio-visual", VLC_VAR_STRING);
    StandIn_CreateVariable(another, "volume", VLC_VAR_FLOAT);
    return another;
  }
};

// A second audio output's filter while the first runs: its feed waits, and takes over at the
// first frame after the first filter closes.
TEST_F(SessionScenarioTest, SecondFilterWaitsAndTakesOverWhenTheFirstCloses) {
  StandIn_SetOption("glimmora-audio-only", VLC_VAR_BOOL, 0);
  vlc_object_t* secondOutput = NewAudioOutput();
  filter_t* first = OpenFilter();
  ASSERT_NE(WaitForWindow(kSessionWindowClass, "Glimmora", 10000), nullptr);
  filter_t* second = OpenFilter(secondOutput, 44100, AOUT_CHANS_STEREO);
  ASSERT_TRUE(WaitUntil([] { return StandInLogHas("waiting behind"); }));

  // The first feed must still be live when its filter goes, or a frame may hand over for
  // its being dry before the close is seen: blocks 2 s ahead keep it delivering for 2.6 s.
  AudioBlock audio(6, 2400, 0.25f);
  audio.block.i_pts = 1000000 + 2000000;
  ASSERT_TRUE(WaitUntil([&] {
    Feed(first, audio);
    for (const JournalEntry& entry : EntriesOf(Journal(), "Callback", "GetS")) {
      if (entry.Number("samplesDelivered") > 0) return true;
    }
    return false;
  }));
  Feed(first, audio);
  Close(first);
  // The second feed's first block gives it data; the next frame switches to it.
  AudioBlock stereo(2, 2205, 0.25f);
  stereo.block.i_pts = 1000000 + 200000;
  Feed(second, stereo);
  EXPECT_TRUE(WaitUntil([] { return StandInLogHas("(detached)"); }));
  EXPECT_FALSE(StandInLogHas("(dry)"));
  EXPECT_EQ(Count("CreateInstance"), 1u);
  Deselect(secondOutput);
  Close(second);
  EXPECT_EQ(WaitForEndReason(), "session: ended (playback stopped or turned off)");
}

// With audio-only on, an input with a video track makes the next filter stand down, which
// ends the lingering session at once instead of after the linger.
TEST_F(SessionScenarioTest, NextInputWithVideoEndsTheLingeringSession) {
  MakeCurrentInput("song.wav");
  filter_t* first = OpenFilter();
  ASSERT_NE(WaitForWindow(kSessionWindowClass, "Glimmora", 10000), nullptr);
  Close(first);  // lingering for 4000 ms: the playlist has an input

  MakeCurrentInput("film.mkv", 0);
  filter_t* second = NewFilter();
  EXPECT_EQ(sDescriptor.open(VLC_OBJECT(second)), VLC_EGENERIC);
  EXPECT_TRUE(StandInLogHas("input has a video track and glimmora-audio-only is set -- standing down"));
  // The linger would have said "linger elapsed".
  EXPECT_EQ(WaitForEndReason(), "session: ended (the next input has video)");
  EXPECT_EQ(StandIn_InputHolds(), 0);
  StandIn_SetCurrentInput(nullptr, nullptr);
}

// The milliseconds the module's "(waited N ms)" line reports for the audio output closing;
// -1 without such a line.
int64_t WaitedForAoutClosing() {
  for (const std::string& line : StandInLog()) {
    const size_t at = line.find("OnAoutVolume: session: audio output closing @");
    const size_t waited = line.find("(waited ");
    if (at != std::string::npos && waited != std::string::npos) {
      return std::stoll(line.substr(waited + 8));
    }
  }
  return -1;
}

// The audio output goes while the session thread is still creating the engine instance: the
// callback waits up to 5000 ms instead of 1000, and then gives up rather than hold VLC's
// thread until the start is over.
TEST_F(SessionScenarioTest, AudioOutputClosingDuringAStartWaitsAtMostFiveSeconds) {
  const RefEngineControlApi* control = Control();
  ASSERT_NE(control, nullptr);
  ASSERT_GE(control->size, sizeof(RefEngineControlApi));
  control->DelayCreateInstance(8000);
  StandIn_FollowRealTime();  // the module's "waited" figure in real milliseconds
  filter_t* filter = OpenFilter();
  ASSERT_TRUE(WaitUntil([] { return Count("Delay") == 1; }));
  StandIn_SetFloat(output, "volume", -1.0f);
  const int64_t waited = WaitedForAoutClosing();
  EXPECT_GE(waited, 4500) << "the wait during a start is 5000 ms";
  EXPECT_LE(waited, 6500);
  EXPECT_EQ(Count("CreateInstance"), 0u) << "the callback waited for the whole start";
  control->DelayCreateInstance(0);

  // The start then completes; the closing output, handled late, ends nothing while a tap
  // is attached.
  ASSERT_NE(WaitForWindow(kSessionWindowClass, "Glimmora", 15000), nullptr);
  Deselect();
  Close(filter);
  EXPECT_EQ(WaitForEndReason(), "session: ended (playback stopped or turned off)");
}

// A variable callback that VLC runs on the session thread itself (here: the audio output's
// volume set from inside the session's own log line) must not wait for that thread: it
// cannot handle the message while it waits, so a wait would always last its whole limit.
TEST_F(SessionScenarioTest, AudioOutputClosingOnTheSessionThreadDoesNotWait) {
  StandIn_FollowRealTime();
  filter_t* first = OpenFilter();
  HWND window = WaitForWindow(kSessionWindowClass, "Glimmora", 10000);
  ASSERT_NE(window, nullptr);
  StandIn_SetFloatInLogOf("LogFromSession", output, "volume", -1.0f);
  // The session thread's next line (the start's own, or the second tap's "joined") sets it.
  filter_t* second = OpenFilter();
  ASSERT_TRUE(WaitUntil([] { return StandIn_SetInLogMs() >= 0; }));
  // A filter that closes before the session thread has seen it open is never listed.
  ASSERT_TRUE(WaitUntil([] { return StandInLogHas("joined (2 attached)"); }));
  EXPECT_EQ(StandIn_SetInLogThread(), GetWindowThreadProcessId(window, nullptr));
  EXPECT_LT(StandIn_SetInLogMs(), 900);
  const int64_t waited = WaitedForAoutClosing();
  EXPECT_GE(waited, 0);
  EXPECT_LT(waited, 900);

  // The session thread carries on: the closing, handled after, ends nothing with taps
  // attached, and the session still serves both filters until they close.
  Close(first);
  Deselect();
  Close(second);
  EXPECT_EQ(WaitForEndReason(), "session: ended (playback stopped or turned off)");
  EXPECT_EQ(Count("CreateInstance"), 1u);
}

}  // namespace
