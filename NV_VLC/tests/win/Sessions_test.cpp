// Sessions end to end on Windows: the filter side driven as VLC drives it (against the
// stand-in core), the module's own session thread with its window, and the reference engine
// installed as the product. Assertions are on what the engine received (its journal), on the
// window, and on the lines the module wrote to VLC's log.
//
// The session thread and its manager live for the rest of the process, as in VLC; every test
// leaves the session ended (deselected) and its filters closed.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "NV_VLC/FilterCallbacks.h"
#include "NV_VLC/tests/FakeVlcCore.h"
#include "NV_VLC/tests/win/ProcessProduct.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/RefEngineJournal.h"
#include "testsupport/win/ReferenceEngine.h"
#include "testsupport/win/Waiting.h"

namespace {

using namespace refengine_journal;

constexpr char kWindowClass[] = "Novalume Glimmora VLC";

InstalledProduct& Product() { return ProcessProduct(); }

class SessionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Product().ok());
    playlist = VLC_OBJECT(vlc.MakeObject<playlist_t>("playlist", nullptr));
    output = VLC_OBJECT(vlc.MakeObject<audio_output_t>("audio output", playlist));
    vlc.CreateVariable(output, "audio-visual", VLC_VAR_STRING);
    vlc.CreateVariable(output, "volume", VLC_VAR_FLOAT);
    vlc.CreateVariable(playlist, "input-current", VLC_VAR_ADDRESS);
    vlc.SetOption("glimmora-audio-only", VLC_VAR_BOOL, 0);
    vlc.SetOption("glimmora-width", VLC_VAR_INTEGER, 640);
    vlc.SetOption("glimmora-height", VLC_VAR_INTEGER, 360);
    if (const RefEngineControlApi* control = Control()) control->Reset();
  }
  void TearDown() override {
    // Nothing may be left for the next test: no window, no instance.
    EXPECT_TRUE(WaitUntil([] { return FindWindowA(kWindowClass, nullptr) == nullptr; }, 5000));
    if (const RefEngineControlApi* control = Control()) {
      EXPECT_TRUE(WaitUntil([control] { return control->InstanceCount() == 0; }, 5000));
    }
  }

  static const RefEngineControlApi* Control() {
    return EngineControl(Product().FileInFolder(L"GlimmoraEngine.dll"));
  }
  // Empty until the module has loaded the engine.
  static std::vector<JournalEntry> Journal() {
    const RefEngineControlApi* control = Control();
    return control != nullptr ? ReadJournal(control) : std::vector<JournalEntry>{};
  }
  static size_t Count(const char* call) { return EntriesOf(Journal(), call).size(); }

  filter_t* Open() {
    auto* filter = vlc.MakeObject<filter_t>("visualization", output);
    filter->fmt_in.audio.i_rate = 44100;
    filter->fmt_in.audio.i_physical_channels = AOUT_CHAN_LEFT | AOUT_CHAN_RIGHT;
    EXPECT_EQ(OpenFilter(VLC_OBJECT(filter)), VLC_SUCCESS);
    return filter;
  }
  // A tenth of a second of a sine, 200 ms ahead of the clock.
  void Feed(filter_t* filter) {
    std::vector<float> samples(2 * 4410);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = (i / 2 % 50 < 25) ? 0.5f : -0.5f;
    block_t block{};
    block.p_buffer = reinterpret_cast<uint8_t*>(samples.data());
    block.i_nb_samples = 4410;
    block.i_pts = vlc.now + 200000;
    EXPECT_EQ(filter->pf_audio_filter(filter, &block), &block);
  }
  bool LogHas(const std::string& text) {
    for (const std::string& line : vlc.LinesOf("LogFromSession")) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }
  void Deselect() { vlc.SetString(output, "audio-visual", "spectrum"); }

  FakeVlcCore vlc;
  vlc_object_t* playlist = nullptr;
  vlc_object_t* output = nullptr;
};

TEST_F(SessionsTest, TwoInputsInARowShareOneWindowAndOneInstance) {
  filter_t* first = Open();
  ASSERT_NE(WaitForWindow(kWindowClass, "Glimmora", 10000), nullptr);
  Feed(first);
  ASSERT_TRUE(WaitUntil([this] { return LogHas("window up ("); }));
  CloseFilter(VLC_OBJECT(first));
  filter_t* second = Open();
  ASSERT_TRUE(WaitUntil([this] { return LogHas("joined (1 attached)"); }));
  Feed(second);
  // Frames ask the joined feed for audio.
  ASSERT_TRUE(WaitUntil([] {
    for (const JournalEntry& entry : EntriesOf(Journal(), "Callback", "GetS")) {
      if (entry.Number("status") == 0) return true;
    }
    return false;
  }));
  EXPECT_EQ(Count("CreateInstance"), 1u);
  EXPECT_EQ(Count("DestroyInstance"), 0u);
  Deselect();
  CloseFilter(VLC_OBJECT(second));
  ASSERT_TRUE(WaitUntil([] { return Count("DestroyInstance") == 1; }));
}

TEST_F(SessionsTest, LingerEndsTheSessionAfterTheLastTapLeaves) {
  struct Case {
    bool inputCleared;
    int leastMs, mostMs;
  };
  const Case cases[] = {{true, 700, 1500}, {false, 3900, 4800}};
  for (const Case& c : cases) {
    // The last case's window, hidden, may take Wine a while to destroy: it is not this one's.
    ASSERT_TRUE(WaitUntil([] { return FindWindowA(kWindowClass, nullptr) == nullptr; }));
    if (const RefEngineControlApi* control = Control()) control->Reset();
    if (!c.inputCleared) vlc.SetAddress(playlist, "input-current", output);
    filter_t* filter = Open();
    HWND window = WaitForWindow(kWindowClass, "Glimmora", 10000);
    ASSERT_NE(window, nullptr);
    // The window is found as soon as it exists; the session shows it a little later.
    ASSERT_TRUE(WaitUntil([window] { return IsWindowVisible(window) != FALSE; }, 10000));
    if (c.inputCleared) vlc.SetAddress(playlist, "input-current", nullptr);
    const auto closed = std::chrono::steady_clock::now();
    CloseFilter(VLC_OBJECT(filter));
    // The window is hidden when the session ends. (Destroying it takes Wine another two
    // seconds on a display without window manager, so its disappearance is no clock.)
    ASSERT_TRUE(WaitUntil([window] { return !IsWindowVisible(window); }, 10000));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - closed)
                        .count();
    EXPECT_GE(ms, c.leastMs) << c.inputCleared;
    EXPECT_LE(ms, c.mostMs) << c.inputCleared;
    EXPECT_TRUE(WaitUntil([] { return Count("DestroyInstance") == 1; }));
    // The last tap left: the engine was told to keep its preferences.
    EXPECT_EQ(EntriesOf(Journal(), "Request", "WPrf").size(), 1u);
  }
}

TEST_F(SessionsTest, ClosedWindowStaysClosedUntilChosenAgain) {
  filter_t* first = Open();
  HWND window = WaitForWindow(kWindowClass, "Glimmora", 10000);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([this] { return LogHas("window closed by the user -- off until playback stops"); }));
  EXPECT_TRUE(WaitUntil([] { return FindWindowA(kWindowClass, nullptr) == nullptr; }));
  EXPECT_EQ(Count("DestroyInstance"), 1u);
  // The next input does not bring it back; choosing the visualization again does.
  CloseFilter(VLC_OBJECT(first));
  filter_t* second = Open();
  Sleep(300);
  EXPECT_EQ(FindWindowA(kWindowClass, nullptr), nullptr);
  vlc.SetString(output, "audio-visual", "glimmora");
  EXPECT_NE(WaitForWindow(kWindowClass, "Glimmora", 10000), nullptr);
  EXPECT_TRUE(WaitUntil([] { return Count("CreateInstance") == 2; }));
  Deselect();
  CloseFilter(VLC_OBJECT(second));
}

TEST_F(SessionsTest, ClosingAudioOutputWaitsForTheSessionThread) {
  filter_t* filter = Open();
  HWND window = WaitForWindow(kWindowClass, "Glimmora", 10000);  // the start is over
  ASSERT_NE(window, nullptr);
  CloseFilter(VLC_OBJECT(filter));  // lingering
  const auto before = std::chrono::steady_clock::now();
  vlc.SetFloat(output, "volume", -1.0f);
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - before)
                          .count();
  // The session thread was ending the session when the callback returned, and the callback
  // waited no longer than its limit (under Wine the window's destruction alone outlasts it).
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_LE(waited, 1500);
  EXPECT_TRUE(WaitUntil([] { return Count("DestroyInstance") == 1; }));
  ASSERT_EQ(vlc.LinesOf("OnAoutVolume").size(), 1u);
  EXPECT_NE(vlc.LinesOf("OnAoutVolume")[0].find("session: audio output closing @1000 (waited "),
            std::string::npos);
}

}  // namespace
