// The filter side as VLC drives it: Open, DoWork, Close and the variable callbacks, against
// the stand-in core, with a link that records what reaches the session thread.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "NV_VLC/FilterCallbacks.h"
#include "NV_VLC/FilterState.h"
#include "NV_VLC/SessionLink.h"
#include "NV_VLC/Tap.h"
#include "NV_VLC/tests/FakeVlcCore.h"

namespace {

struct Posted {
  SessionEventKind kind;
  Tap* tap;
  bool deselected;
  bool waited;
};
std::vector<Posted> gPosted;
bool gInstalled = true;

const SessionLinkCalls kRecordingLink = {
    [] { return gInstalled; },
    [](const SessionEvent& event) {
      gPosted.push_back({event.kind, event.tap, event.deselected, false});
      // The session thread's reference goes with the tap's detach.
      if (event.kind == SessionEventKind::kTapDetached) event.tap->Release();
    },
    [](SessionEventKind kind) { gPosted.push_back({kind, nullptr, false, true}); },
};

constexpr uint32_t kStereo = AOUT_CHAN_LEFT | AOUT_CHAN_RIGHT;
constexpr uint32_t kFivePointOne = AOUT_CHANS_5_1;

class FilterCallbacksTest : public ::testing::Test {
 protected:
  FilterCallbacksTest() : tapsBefore(Tap::LiveCount()), feedsBefore(AudioFeed::LiveCount()) {
    gPosted.clear();
    gInstalled = true;
    previousLink = SetSessionLink(&kRecordingLink);
    playlist = VLC_OBJECT(vlc.MakeObject<playlist_t>("playlist", nullptr));
    output = VLC_OBJECT(vlc.MakeObject<audio_output_t>("audio output", playlist));
    vlc.CreateVariable(output, "audio-visual", VLC_VAR_STRING);
    vlc.CreateVariable(output, "volume", VLC_VAR_FLOAT);
    vlc.CreateVariable(playlist, "input-current", VLC_VAR_ADDRESS);
    vlc.SetOption("glimmora-audio-only", VLC_VAR_BOOL, 1);
    vlc.SetOption("glimmora-width", VLC_VAR_INTEGER, 1280);
    vlc.SetOption("glimmora-height", VLC_VAR_INTEGER, 720);
  }
  ~FilterCallbacksTest() override {
    SetSessionLink(previousLink == &DefaultSessionLink() ? nullptr : previousLink);
    EXPECT_EQ(Tap::LiveCount(), tapsBefore);
    EXPECT_EQ(AudioFeed::LiveCount(), feedsBefore);
  }

  filter_t* MakeFilter(unsigned rate = 48000, uint32_t channels = kFivePointOne) {
    auto* filter = vlc.MakeObject<filter_t>("visualization", output);
    filter->fmt_in.audio.i_rate = rate;
    filter->fmt_in.audio.i_physical_channels = channels;
    filter->fmt_in.audio.i_format = VLC_CODEC_S16N;
    return filter;
  }
  // The session thread's side of the attach: keep nothing, the detach drops the reference.
  Tap* AttachedTap() {
    for (const Posted& posted : gPosted) {
      if (posted.kind == SessionEventKind::kTapAttached) return posted.tap;
    }
    return nullptr;
  }
  std::vector<SessionEventKind> PostedKinds() {
    std::vector<SessionEventKind> kinds;
    for (const Posted& posted : gPosted) kinds.push_back(posted.kind);
    return kinds;
  }

  int32_t tapsBefore;
  int32_t feedsBefore;
  FakeVlcCore vlc;
  const SessionLinkCalls* previousLink = nullptr;
  vlc_object_t* playlist = nullptr;
  vlc_object_t* output = nullptr;
};

using Kinds = std::vector<SessionEventKind>;

TEST_F(FilterCallbacksTest, WithoutEngineOpenRefusesWithAnErrorLine) {
  gInstalled = false;
  filter_t* filter = MakeFilter();
  EXPECT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_EGENERIC);
  ASSERT_EQ(vlc.log.size(), 1u);
  EXPECT_EQ(vlc.log[0].priority, VLC_MSG_ERR);
  EXPECT_EQ(vlc.log[0].text, "Glimmora is not installed -- nothing to visualize with.");
  EXPECT_TRUE(gPosted.empty());
  EXPECT_EQ(filter->p_sys, nullptr);
}

TEST_F(FilterCallbacksTest, OpenAsksForFloatsAndAttachesATap) {
  filter_t* filter = MakeFilter();
  ASSERT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_SUCCESS);
  EXPECT_EQ(filter->fmt_in.audio.i_format, VLC_CODEC_FL32);
  EXPECT_EQ(filter->fmt_out.audio.i_format, VLC_CODEC_FL32);
  EXPECT_EQ(filter->fmt_out.audio.i_rate, 48000u);
  EXPECT_NE(filter->pf_audio_filter, nullptr);
  EXPECT_EQ(vlc.LinesOf("Open"), (std::vector<std::string>{
                                     "Glimmora: 48000 Hz, 6 ch (LFE slot 5) -> mono 24000 Hz",
                                     "session: open @1000"}));
  ASSERT_EQ(PostedKinds(), Kinds{SessionEventKind::kTapAttached});
  Tap* tap = AttachedTap();
  EXPECT_EQ(tap->Width(), 1280);
  EXPECT_EQ(tap->Height(), 720);
  EXPECT_EQ(vlc.CallbackCount(output, "audio-visual"), 1u);
  EXPECT_EQ(vlc.CallbackCount(output, "volume"), 1u);
  EXPECT_EQ(vlc.CallbackCount(playlist, "input-current"), 1u);

  // A second filter on the same output adds its own "audio-visual" callback only.
  filter_t* second = MakeFilter(44100, kStereo);
  ASSERT_EQ(OpenFilter(VLC_OBJECT(second)), VLC_SUCCESS);
  EXPECT_EQ(vlc.CallbackCount(output, "audio-visual"), 2u);
  EXPECT_EQ(vlc.CallbackCount(output, "volume"), 1u);
  EXPECT_EQ(vlc.CallbackCount(playlist, "input-current"), 1u);

  CloseFilter(VLC_OBJECT(second));
  CloseFilter(VLC_OBJECT(filter));
  EXPECT_EQ(vlc.CallbackCount(output, "audio-visual"), 0u);
  EXPECT_EQ(vlc.LinesOf("CloseFilter"),
            (std::vector<std::string>{"session: close -> linger @1000",
                                      "session: close -> linger @1000"}));
  EXPECT_EQ(gPosted[2].kind, SessionEventKind::kTapDetached);
  EXPECT_EQ(filter->p_sys, nullptr);
}

TEST_F(FilterCallbacksTest, WindowSizeOptionsBelowOneGiveTheDefault) {
  struct Case {
    int64_t width, height;
    int32_t tapWidth, tapHeight;
  };
  const Case cases[] = {{800, 720, 800, 720}, {0, 0, 1280, 720}, {-5, 600, 1280, 600}};
  for (const Case& c : cases) {
    gPosted.clear();
    vlc.SetOption("glimmora-width", VLC_VAR_INTEGER, c.width);
    vlc.SetOption("glimmora-height", VLC_VAR_INTEGER, c.height);
    filter_t* filter = MakeFilter();
    ASSERT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_SUCCESS);
    EXPECT_EQ(AttachedTap()->Width(), c.tapWidth) << c.width;
    EXPECT_EQ(AttachedTap()->Height(), c.tapHeight) << c.height;
    CloseFilter(VLC_OBJECT(filter));
  }
}

TEST_F(FilterCallbacksTest, AudioOnlyStandsDownForAnInputWithVideo) {
  struct Case {
    bool audioOnly;
    bool hasInput;
    bool hasVideoVariable;
    int64_t videoEs;
    bool standsDown;
  };
  const Case cases[] = {
      {true, true, true, 0, true},     {true, true, true, 3, true},
      {true, true, true, -1, false},   {true, true, false, 0, true},  // unreadable counts as video
      {true, false, false, 0, false},  {false, true, true, 0, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    gPosted.clear();
    vlc.log.clear();
    vlc.SetOption("glimmora-audio-only", VLC_VAR_BOOL, c.audioOnly ? 1 : 0);
    auto* input = vlc.MakeObject<input_thread_t>("input", nullptr);
    if (c.hasVideoVariable) vlc.SetInteger(VLC_OBJECT(input), "video-es", c.videoEs);
    vlc.SetCurrentInput(c.hasInput ? input : nullptr, nullptr);
    filter_t* filter = MakeFilter();
    const int result = OpenFilter(VLC_OBJECT(filter));
    if (c.standsDown) {
      EXPECT_EQ(result, VLC_EGENERIC) << "case " << i;
      EXPECT_EQ(PostedKinds(), Kinds{SessionEventKind::kNextInputHasVideo}) << "case " << i;
      EXPECT_EQ(vlc.LinesOf("Open"),
                std::vector<std::string>{"input has a video track and glimmora-audio-only is "
                                         "set -- standing down @1000"});
      EXPECT_EQ(filter->p_sys, nullptr);
    } else {
      EXPECT_EQ(result, VLC_SUCCESS) << "case " << i;
      EXPECT_EQ(PostedKinds(), Kinds{SessionEventKind::kTapAttached}) << "case " << i;
      CloseFilter(VLC_OBJECT(filter));
    }
  }
  vlc.SetCurrentInput(nullptr, nullptr);
}

TEST_F(FilterCallbacksTest, FormatsWithoutRateOrChannelsAreRefusedQuietly) {
  for (auto [rate, channels] : {std::pair<unsigned, uint32_t>{0, kStereo}, {44100, 0}}) {
    filter_t* filter = MakeFilter(rate, channels);
    EXPECT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_EGENERIC);
    EXPECT_EQ(filter->p_sys, nullptr);
  }
  EXPECT_TRUE(vlc.log.empty());
  EXPECT_TRUE(gPosted.empty());
}

TEST_F(FilterCallbacksTest, DoWorkPassesTheBlockThroughUntouched) {
  filter_t* filter = MakeFilter(44100, kStereo);
  ASSERT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_SUCCESS);
  std::vector<float> samples(2 * 2205);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(i) * 1e-4f;
  const std::vector<float> original = samples;
  block_t block{};
  block.p_buffer = reinterpret_cast<uint8_t*>(samples.data());
  block.i_buffer = samples.size() * sizeof(float);
  block.i_nb_samples = 2205;
  block.i_pts = vlc.now + 2000000;  // two seconds ahead
  EXPECT_EQ(filter->pf_audio_filter(filter, &block), &block);
  EXPECT_EQ(samples, original);
  EXPECT_EQ(block.i_nb_samples, 2205u);
  auto* state = reinterpret_cast<FilterState*>(filter->p_sys);
  EXPECT_TRUE(state->feed->HasData());
  EXPECT_EQ(vlc.LinesOf("DoWork"),
            std::vector<std::string>{"playback lead 2120 ms (block lead 2000 ms)"});
  // Lead changes below 50 ms are not logged again.
  block.i_pts = vlc.now + 2200000;
  filter->pf_audio_filter(filter, &block);
  EXPECT_EQ(vlc.LinesOf("DoWork").size(), 1u);
  CloseFilter(VLC_OBJECT(filter));
}

TEST_F(FilterCallbacksTest, VariableChangesReachTheSessionThread) {
  filter_t* filter = MakeFilter();
  ASSERT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_SUCCESS);
  vlc.SetString(output, "audio-visual", "glimmora");
  vlc.SetFloat(output, "volume", 0.5f);  // an ordinary volume change
  vlc.SetAddress(playlist, "input-current", nullptr);
  vlc.SetAddress(playlist, "input-current", output);
  vlc.SetFloat(output, "volume", -1.0f);  // the output is being destroyed
  vlc.SetString(output, "audio-visual", "spectrum");
  CloseFilter(VLC_OBJECT(filter));
  EXPECT_EQ(PostedKinds(), (Kinds{SessionEventKind::kTapAttached, SessionEventKind::kChosenAgain,
                            SessionEventKind::kInputCleared, SessionEventKind::kInputSet,
                            SessionEventKind::kAoutClosing, SessionEventKind::kTapDetached}));
  EXPECT_TRUE(gPosted[4].waited);
  EXPECT_TRUE(gPosted[5].deselected);
  EXPECT_EQ(vlc.LinesOf("OnAudioVisual"),
            (std::vector<std::string>{"session: audio-visual -> 'glimmora' (chosen again) @1000",
                                      "session: audio-visual -> 'spectrum' (deselected) @1000"}));
  EXPECT_EQ(vlc.LinesOf("OnInputCurrent"),
            (std::vector<std::string>{"session: input-current -> NULL @1000",
                                      "session: input-current -> set @1000"}));
  EXPECT_EQ(vlc.LinesOf("OnAoutVolume"),
            std::vector<std::string>{"session: audio output closing @1000 (waited 0 ms)"});
  EXPECT_EQ(vlc.LinesOf("CloseFilter"),
            std::vector<std::string>{"session: close -> end (deselected) @1000"});
}

}  // namespace
