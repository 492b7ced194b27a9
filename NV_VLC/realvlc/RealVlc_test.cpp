// The module inside the real VLC 3.0 core: VLC is driven through libvlc with the native
// plug-in found through VLC_PLUGIN_PATH and the native reference engine installed as the
// product in a support folder of the test's own. No audio output here plays in real time
// (afile writes as fast as VLC decodes), so the tests assert on the order and content of what
// the engine's journal and VLC's log received, with bounded waits, never on durations.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vlc/vlc.h>  // with deprecated.h, which has the playlist call

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "refengine/RefEngineControl.h"
#include "visualhost/audio/SpectrumBands.h"
#include "visualhost/tests/posix/NativeProduct.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

constexpr auto kPlaylistLimit = std::chrono::seconds(30);
constexpr auto kSessionEndLimit = std::chrono::seconds(10);

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int CountWith(const Lines& lines, const std::string& part) {
  return int(std::count_if(lines.begin(), lines.end(),
                           [&](const std::string& line) { return Contains(line, part); }));
}

// Index of the first line at or after `from` holding every part, or -1.
int FindLine(const Lines& lines, const std::vector<std::string>& parts, int from = 0) {
  for (int i = std::max(from, 0); i < int(lines.size()); ++i) {
    if (std::all_of(parts.begin(), parts.end(),
                    [&](const std::string& part) { return Contains(lines[size_t(i)], part); })) {
      return i;
    }
  }
  return -1;
}

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The numeric value of `key=` in a journal line, or -1.
int64_t NumberOf(const std::string& line, const std::string& key) {
  const size_t at = line.find(" " + key + "=");
  return at == std::string::npos ? -1 : std::atoll(line.c_str() + at + key.size() + 2);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const Clock::time_point until = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The test media, made once with sox: WAV files without tags, a tagged FLAC file, and a
// short raw video for the tests with a video track.
struct Media {
  fs::path folder;
  std::string first, second, tone, tagged, video, output;
};

void MakeVideo(const std::string& path) {
  // 25 frames of a 64 x 48 YUV 4:2:0 picture: one second of video.
  constexpr int kWidth = 64, kHeight = 48, kFrames = 25;
  std::ofstream file(path, std::ios::binary);
  file << "YUV4MPEG2 W" << kWidth << " H" << kHeight << " F25:1 Ip A1:1 C420jpeg\n";
  const std::string picture(size_t(kWidth * kHeight * 3 / 2), char(0x60));
  for (int i = 0; i < kFrames; ++i) file << "FRAME\n" << picture;
}

Media& TheMedia() {
  static Media media = [] {
    Media m;
    char pattern[] = "/tmp/nvrealvlc-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    m.folder = pattern;
    const auto sox = [&](const std::string& arguments) {
      const std::string command = "sox -n -r 44100 -c 2 " + arguments + " 2>&1";
      if (std::system(command.c_str()) != 0) ADD_FAILURE() << "failed: " << command;
    };
    m.first = (m.folder / "first.wav").string();
    m.second = (m.folder / "second.wav").string();
    m.tone = (m.folder / "tone.wav").string();
    m.tagged = (m.folder / "tagged.flac").string();
    m.video = (m.folder / "video.y4m").string();
    m.output = (m.folder / "output.raw").string();
    // Long enough that each item's filter is still open when the session thread hears of it:
    // VLC decodes them much faster than they play.
    sox(m.first + " synth 3 sine 440");
    sox(m.second + " synth 3 sine 660");
    sox(m.tone + " synth 3 sine 1000 vol 0.5");
    sox("--comment \"TITLE=Night Tone\" --comment \"ARTIST=The Testers\" --comment "
        "\"ALBUM=Signals\" " +
        m.tagged + " synth 1 sine 440");
    MakeVideo(m.video);
    return m;
  }();
  return media;
}

// The installed reference engine, read through its control export in the library the module
// loads (the same file, so the same loaded library).
class Engine {
 public:
  Engine() : mProduct(NativeReferenceEnginePath()) {
    const std::string path = mProduct.ProductFolder() + "/" + NativeProduct::kLibraryName;
    mLibrary = dlopen(path.c_str(), RTLD_NOW);
    auto control =
        mLibrary ? reinterpret_cast<RefEngineControlFn>(dlsym(mLibrary, REFENGINE_CONTROL_EXPORT))
                 : nullptr;
    mApi = control ? control(REFENGINE_CONTROL_VERSION) : nullptr;
  }

  bool Ready() const { return mApi != nullptr; }
  void Reset() { mApi->Reset(); }
  int32_t Instances() const { return mApi->InstanceCount(); }

  Lines Journal() const {
    Lines lines;
    std::vector<char> buffer(4096);
    for (int32_t i = 0;; ++i) {
      const int32_t length = mApi->JournalLine(i, buffer.data(), int32_t(buffer.size()));
      if (length < 0) break;
      lines.emplace_back(buffer.data());
    }
    return lines;
  }

  bool WaitForLine(const std::vector<std::string>& parts, std::chrono::milliseconds limit,
                   int from = 0) const {
    return WaitUntil([&] { return FindLine(Journal(), parts, from) >= 0; }, limit);
  }

 private:
  NativeProduct mProduct;  // the library stays loaded: the module keeps its engine for good
  void* mLibrary = nullptr;
  const RefEngineControlApi* mApi = nullptr;
};

Engine& TheEngine() {
  static Engine* engine = new Engine();
  return *engine;
}

// Where the session driver's own lines go (those no filter could take): stderr, caught into a
// file for the duration of a run and copied back to the real stderr at its end.
class CaughtStderr {
 public:
  CaughtStderr() : mPath((TheMedia().folder / "stderr.txt").string()) {
    std::fflush(stderr);
    mSaved = dup(2);
    std::FILE* file = std::fopen(mPath.c_str(), "w");
    dup2(fileno(file), 2);
    std::fclose(file);
  }
  ~CaughtStderr() { Restore(); }
  std::string Text() const {
    std::ifstream file(mPath);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  void Restore() {
    if (mSaved < 0) return;
    std::fflush(stderr);
    dup2(mSaved, 2);
    close(mSaved);
    mSaved = -1;
    const std::string text = Text();
    std::fwrite(text.data(), 1, text.size(), stderr);
  }

 private:
  std::string mPath;
  int mSaved = -1;
};

// One libvlc instance with the module chosen, its playlist playing the items; VLC's log lines
// of the module are kept.
class VlcRun {
 public:
  VlcRun(std::vector<std::string> options, const std::vector<std::string>& items) {
    const Media& media = TheMedia();
    std::vector<std::string> arguments = {"--aout=afile", "--audiofile-file=" + media.output,
                                          "--audio-visual=glimmora", "--no-media-library",
                                          "--verbose=2"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.insert(arguments.end(), items.begin(), items.end());
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    mInstance = libvlc_new(int(argv.size()), argv.data());
    if (mInstance == nullptr) return;
    libvlc_log_set(mInstance, &VlcRun::OnLog, this);
    libvlc_set_exit_handler(mInstance, &VlcRun::OnExit, this);
    // Deprecated, but the one call that makes VLC's own playlist object (the filter's parent,
    // which the module listens to) play the items.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    libvlc_playlist_play(mInstance, -1, 0, nullptr);
#pragma GCC diagnostic pop
  }
  ~VlcRun() {
    Release();
  }

  bool Started() const {
    return mInstance != nullptr;
  }
  void Release() {
    if (mInstance != nullptr) libvlc_release(mInstance);
    mInstance = nullptr;
  }

  // With --play-and-exit: the playlist has ended.
  bool WaitForPlaylistEnd() {
    std::unique_lock<std::mutex> hold(mLock);
    return mChanged.wait_for(hold, kPlaylistLimit, [this] { return mExited; });
  }

  Lines ModuleLog() const {
    std::lock_guard<std::mutex> hold(mLock);
    return mLog;
  }

 private:
  static void OnLog(void* data, int, const libvlc_log_t* context, const char* format,
                    va_list arguments) {
    const char* module = nullptr;
    const char* file = nullptr;
    unsigned line = 0;
    libvlc_log_get_context(context, &module, &file, &line);
    if (module == nullptr || std::string(module) != "glimmora") return;
    char text[1024];
    std::vsnprintf(text, sizeof text, format, arguments);
    auto* run = static_cast<VlcRun*>(data);
    std::lock_guard<std::mutex> hold(run->mLock);
    run->mLog.emplace_back(text);
  }

  static void OnExit(void* data) {
    auto* run = static_cast<VlcRun*>(data);
    std::lock_guard<std::mutex> hold(run->mLock);
    run->mExited = true;
    run->mChanged.notify_all();
  }

  libvlc_instance_t* mInstance = nullptr;
  mutable std::mutex mLock;
  std::condition_variable mChanged;
  bool mExited = false;
  Lines mLog;
};

class RealVlcTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("VLC_PLUGIN_PATH", NV_VLC_PLUGIN_FOLDER, 1);
    TheMedia();
    ASSERT_TRUE(TheEngine().Ready()) << "the native reference engine did not load";
    // Whatever an earlier test left running ends first, so this one starts from no session.
    ASSERT_TRUE(WaitUntil([] { return TheEngine().Instances() == 0; }, kSessionEndLimit));
    TheEngine().Reset();
  }
};

TEST_F(RealVlcTest, TwoFilesInARowShareOneSessionThatEndsAfterThePlaylist) {
  const Media& media = TheMedia();
  CaughtStderr driverLines;
  VlcRun vlc({"--no-video", "--play-and-exit"}, {media.first, media.second});
  ASSERT_TRUE(vlc.Started());
  ASSERT_TRUE(vlc.WaitForPlaylistEnd());
  // The driver stays alive past the linger: the session ends by itself.
  EXPECT_TRUE(TheEngine().WaitForLine({"DestroyInstance"}, kSessionEndLimit));
  const Lines journal = TheEngine().Journal();
  const Lines log = vlc.ModuleLog();
  vlc.Release();
  driverLines.Restore();

  EXPECT_EQ(CountWith(journal, "CreateInstance"), 1) << Joined(journal);
  EXPECT_EQ(CountWith(journal, "DestroyInstance"), 1);
  // Each item's name is its title, in playlist order, while the one instance runs.
  const int created = FindLine(journal, {"CreateInstance", "status=0"});
  const int firstTrack = FindLine(journal, {"code=Trck", "title=\"first.wav\""}, created);
  const int secondTrack = FindLine(journal, {"code=Trck", "title=\"second.wav\""}, firstTrack);
  const int destroyed = FindLine(journal, {"DestroyInstance"}, secondTrack);
  EXPECT_GE(created, 0);
  EXPECT_GT(firstTrack, created);
  EXPECT_GT(secondTrack, firstTrack);
  EXPECT_GT(destroyed, secondTrack);
  // The presentation-time leads VLC gave the filter, as the filter logged them.
  for (const std::string& line : log) {
    if (Contains(line, "block lead")) std::printf("lead seen: %s\n", line.c_str());
  }
  // Session lines go to the newest open filter's log, else to the driver's.
  const std::string driver = driverLines.Text();
  const std::string sessionLines = Joined(log) + driver;
  EXPECT_TRUE(Contains(sessionLines, "started a session (1 attached)")) << sessionLines;
  EXPECT_TRUE(Contains(sessionLines, "joined")) << sessionLines;
  EXPECT_TRUE(Contains(driver, "session: ended (playback stopped)") ||
              Contains(driver, "session: ended (audio output closing)") ||
              Contains(Joined(log), "session: ended (audio output closing)"))
      << driver << Joined(log);
}

TEST_F(RealVlcTest, FlacTagsReachTheEngineAsTheTrack) {
  VlcRun vlc({"--no-video", "--play-and-exit"}, {TheMedia().tagged});
  ASSERT_TRUE(vlc.Started());
  EXPECT_TRUE(TheEngine().WaitForLine(
      {"code=Trck", "title=\"Night Tone\"", "artist=\"The Testers\"", "album=\"Signals\""},
      kSessionEndLimit))
      << Joined(TheEngine().Journal());
  EXPECT_TRUE(vlc.WaitForPlaylistEnd());
}

TEST_F(RealVlcTest, AToneOf1kHzIsStrongestInTheBandNearestIt) {
  VlcRun vlc({"--no-video", "--play-and-exit"}, {TheMedia().tone});
  ASSERT_TRUE(vlc.Started());
  const auto loudAnswer = [] {
    for (const std::string& line : TheEngine().Journal()) {
      if (Contains(line, "code=GetS") && NumberOf(line, "peakMilli") >= 300) return true;
    }
    return false;
  };
  EXPECT_TRUE(WaitUntil(loudAnswer, kSessionEndLimit));
  EXPECT_TRUE(vlc.WaitForPlaylistEnd());
  EXPECT_TRUE(TheEngine().WaitForLine({"DestroyInstance"}, kSessionEndLimit));
  const Lines journal = TheEngine().Journal();

  // The engine asks for 64 bands from 60 Hz up (its own spectrum parameters).
  const SpectrumParams params{60.0f, 16000.0f, 8.0f, 0.02f, 0.07f, 0};
  int32_t nearest = 0;
  for (int32_t n = 1; n < 64; ++n) {
    if (std::fabs(BandFrequency(params, n, 64) - 1000.0f) <
        std::fabs(BandFrequency(params, nearest, 64) - 1000.0f)) {
      nearest = n;
    }
  }
  int loud = 0;
  for (const std::string& line : journal) {
    // Before the first block and after the last one has played there is nothing to give.
    if (!Contains(line, "code=GetS") || NumberOf(line, "samplesDelivered") <= 0) continue;
    EXPECT_EQ(NumberOf(line, "status"), 0) << line;
    EXPECT_EQ(NumberOf(line, "samplesDelivered"), 512) << line;
    EXPECT_EQ(NumberOf(line, "bandsDelivered"), 64) << line;
    // The waveform holds the tone (0.5 of full scale, at the feed's scale below it).
    EXPECT_LE(NumberOf(line, "peakMilli"), 520) << line;
    if (NumberOf(line, "peakMilli") < 300) continue;
    ++loud;
    EXPECT_EQ(NumberOf(line, "strongestBand"), nearest) << line;
  }
  EXPECT_GT(loud, 0) << Joined(journal);
}

TEST_F(RealVlcTest, AFileWithVideoStandsDownOnlyWhileAudioOnlyIsSet) {
  const Media& media = TheMedia();
  struct Case {
    const char* option;
    bool sessionRuns;
  };
  const Case cases[] = {{"--glimmora-audio-only", false}, {"--no-glimmora-audio-only", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    ASSERT_TRUE(WaitUntil([] { return TheEngine().Instances() == 0; }, kSessionEndLimit));
    TheEngine().Reset();
    VlcRun vlc({c.option, "--vout=vdummy", "--play-and-exit", "--input-slave=" + media.tone},
               {media.video});
    ASSERT_TRUE(vlc.Started());
    EXPECT_TRUE(vlc.WaitForPlaylistEnd());
    const Lines log = vlc.ModuleLog();
    if (c.sessionRuns) {
      EXPECT_TRUE(TheEngine().WaitForLine({"CreateInstance", "status=0"}, kSessionEndLimit));
      EXPECT_LT(FindLine(log, {"standing down"}), 0) << Joined(log);
    } else {
      EXPECT_GE(FindLine(log, {"input has a video track", "standing down"}), 0) << Joined(log);
      EXPECT_EQ(CountWith(TheEngine().Journal(), "CreateInstance"), 0);
    }
  }
}

TEST_F(RealVlcTest, ChoosingAnotherVisualizationEndsTheSessionAtOnce) {
  VlcRun vlc({"--no-video", "--loop", "--extraintf=nvprobe"}, {TheMedia().tone});
  ASSERT_TRUE(vlc.Started());
  ASSERT_TRUE(TheEngine().WaitForLine({"code=GetS", "status=0"}, kSessionEndLimit));
  void* probe = dlopen(NV_VLC_PROBE_PATH, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(probe, nullptr) << "VLC did not load the probe interface";
  auto setAudioVisual =
      reinterpret_cast<int (*)(const char*)>(dlsym(probe, "NvProbeSetAudioVisual"));
  ASSERT_NE(setAudioVisual, nullptr);
  const int before = int(TheEngine().Journal().size());
  ASSERT_EQ(setAudioVisual(""), 0);
  // Ended as deselected, without the linger, while the playlist goes on looping.
  EXPECT_TRUE(
      TheEngine().WaitForLine({"DestroyInstance"}, std::chrono::milliseconds(3000), before));
  const Lines log = vlc.ModuleLog();
  EXPECT_GE(FindLine(log, {"session: close -> ", "deselected"}), 0) << Joined(log);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(CountWith(TheEngine().Journal(), "CreateInstance"), 1);
  dlclose(probe);
}

}  // namespace
