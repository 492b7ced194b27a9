// Fullscreen: the engine asks its host first ('FSHt'); a host that does not handle it gets the
// engine's own window of the class hosts recognise, announced with 'FSSt' and ended with
// 'FSEd'.
#include <functional>

#include "refengine/tests/EngineFixture.h"
#include "visualhost/monitors/EngineFullscreenWindow.h"

namespace refengine_test {
namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 24;

EventRecord KeyEvent(uint16_t key, uint32_t flags = EventKind::kKey) {
  EventRecord event{};
  event.key = key;
  event.flags = flags;
  return event;
}

class FullscreenTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    mInstance = Create(&mHost, 0);
    mPixels.assign(size_t(kWidth) * kHeight, 0);
    PixelBufferDesc desc{
        PixelBufferDesc::kFormat32, kWidth * 4, kWidth, kHeight, 1, mPixels.data(), {}};
    ASSERT_EQ(Table()->SetTarget(mInstance, &desc, nullptr, TargetFlags::kPixelBuffer), 0);
  }
  void TearDown() override {
    EngineTest::TearDown();
    // Whatever a test did, no fullscreen window may outlive the instances.
    EXPECT_EQ(FindWindowA(kEngineFullscreenWindowClass, nullptr), nullptr);
  }

  int64_t Send(uint32_t code, void* in) { return Table()->Request(mInstance, code, in, nullptr); }
  int64_t SendKey(EventRecord event) { return Send(HostRequest::kEvent, &event); }
  int64_t IsFullscreen() { return Send(HostRequest::kIsFullscreen, nullptr); }
  // The engine requests about fullscreen, in order, with whether each carried a record.
  std::vector<std::pair<uint32_t, bool>> FullscreenRequests() const {
    std::vector<std::pair<uint32_t, bool>> requests;
    for (size_t i = 0; i < mHost.codes.size(); ++i) {
      const uint32_t code = mHost.codes[i];
      if (code == EngineRequest::kFullscreenHost || code == EngineRequest::kFullscreenStarted ||
          code == EngineRequest::kFullscreenEnded) {
        requests.emplace_back(code, mHost.inGiven[i]);
      }
    }
    return requests;
  }

  FakeHost mHost;
  uint32_t mInstance = 0;
  std::vector<uint32_t> mPixels;
};

using Requests = std::vector<std::pair<uint32_t, bool>>;
const std::pair<uint32_t, bool> kAskOn{EngineRequest::kFullscreenHost, true};
const std::pair<uint32_t, bool> kAskOff{EngineRequest::kFullscreenHost, false};
const std::pair<uint32_t, bool> kStarted{EngineRequest::kFullscreenStarted, true};
const std::pair<uint32_t, bool> kEnded{EngineRequest::kFullscreenEnded, false};

TEST_F(FullscreenTest, EveryWayInOpensTheEnginesOwnWindow) {
  struct Case {
    const char* name;
    std::function<int64_t()> begin;
  };
  const Case cases[] = {
      {"key f", [this] { return SendKey(KeyEvent('f')); }},
      {"Alt+Enter",
       [this] { return SendKey(KeyEvent(0x0D, EventKind::kSysChar | EventModifier::kAlt)); }},
      {"script",
       [this] { return Send(HostRequest::kMethod, const_cast<char*>("SetFullscreen( True )")); }},
      {"toggle script",
       [this] { return Send(HostRequest::kMethod, const_cast<char*>("ToggleFullscreen()")); }},
      {"control", [this] { return int64_t(mControl->SetFullscreen(mInstance, 1)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mHost.codes.clear();
    mHost.inGiven.clear();
    EXPECT_EQ(c.begin(), 0);
    HWND window = FindWindowA(kEngineFullscreenWindowClass, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window, mControl->FullscreenWindow(mInstance));
    EXPECT_EQ(IsFullscreen(), 1);
    EXPECT_EQ(FullscreenRequests(), (Requests{kAskOn, kStarted}));
    // It covers the monitor.
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(IsWindowVisible(window));

    EXPECT_EQ(mControl->SetFullscreen(mInstance, 0), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(IsFullscreen(), 0);
    EXPECT_EQ(FullscreenRequests(), (Requests{kAskOn, kStarted, kEnded}));
  }
  const auto started = EntriesOf(Journal(), "Callback", "FSSt");
  ASSERT_EQ(started.size(), 5u);
  EXPECT_NE(started[0].Number("window"), 0);
}

TEST_F(FullscreenTest, EveryWayOutClosesTheWindowAndTellsTheHost) {
  struct Case {
    const char* name;
    std::function<void(HWND)> end;
  };
  const Case cases[] = {
      {"Escape event", [this](HWND) { EXPECT_EQ(SendKey(KeyEvent(0x1B)), 0); }},
      {"f event again", [this](HWND) { EXPECT_EQ(SendKey(KeyEvent('F')), 0); }},
      {"script",
       [this](HWND) {
         EXPECT_EQ(Send(HostRequest::kMethod, const_cast<char*>("SetFullscreen( False )")), 0);
       }},
      {"Escape in the window", [](HWND w) { SendMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
      {"f in the window", [](HWND w) { SendMessageW(w, WM_CHAR, 'f', 1); }},
      {"window closed", [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); }},
      {"host detaches",
       [this](HWND) { EXPECT_EQ(Table()->SetTarget(mInstance, nullptr, nullptr, 0), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PixelBufferDesc desc{
        PixelBufferDesc::kFormat32, kWidth * 4, kWidth, kHeight, 1, mPixels.data(), {}};
    ASSERT_EQ(Table()->SetTarget(mInstance, &desc, nullptr, TargetFlags::kPixelBuffer), 0);
    ASSERT_EQ(mControl->SetFullscreen(mInstance, 1), 0);
    HWND window = FindWindowA(kEngineFullscreenWindowClass, nullptr);
    ASSERT_NE(window, nullptr);
    mHost.codes.clear();
    mHost.inGiven.clear();
    c.end(window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowA(kEngineFullscreenWindowClass, nullptr), nullptr);
    EXPECT_EQ(IsFullscreen(), 0);
    EXPECT_EQ(FullscreenRequests(), (Requests{kEnded}));
  }
}

TEST_F(FullscreenTest, DestroyingTheInstanceEndsFullscreen) {
  ASSERT_EQ(mControl->SetFullscreen(mInstance, 1), 0);
  HWND window = FindWindowA(kEngineFullscreenWindowClass, nullptr);
  ASSERT_NE(window, nullptr);
  Destroy(mInstance);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(FullscreenRequests(), (Requests{kAskOn, kStarted, kEnded}));
  const auto journal = Journal();
  ASSERT_GE(journal.size(), 2u);
  EXPECT_EQ(journal[journal.size() - 2].Get("code"), "FSEd");
  EXPECT_EQ(journal.back().call, "DestroyInstance");
}

TEST_F(FullscreenTest, UnloadingTheEngineClosesItsWindow) {
  ASSERT_EQ(mControl->SetFullscreen(mInstance, 1), 0);
  HWND window = FindWindowA(kEngineFullscreenWindowClass, nullptr);
  ASSERT_NE(window, nullptr);
  // A careless host: the library goes while its instance still shows fullscreen.
  mInstances.clear();
  FreeLibrary(mModule);
  mModule = nullptr;
  ASSERT_EQ(GetModuleHandleW(L"" REFENGINE_DLL_NAME), nullptr);
  EXPECT_FALSE(IsWindow(window));
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

TEST_F(FullscreenTest, PictureGoesToTheWindowInsteadOfTheHostsTarget) {
  Table()->RunFrame(mInstance, nullptr, nullptr);
  ASSERT_NE(mPixels[0], 0u);
  ASSERT_EQ(mControl->SetFullscreen(mInstance, 1), 0);
  std::fill(mPixels.begin(), mPixels.end(), 0x12345678u);
  Table()->RunFrame(mInstance, nullptr, nullptr);
  EXPECT_EQ(std::count(mPixels.begin(), mPixels.end(), 0x12345678u), kWidth * kHeight);
  ASSERT_EQ(mControl->SetFullscreen(mInstance, 0), 0);
  Table()->RunFrame(mInstance, nullptr, nullptr);
  EXPECT_EQ(std::count(mPixels.begin(), mPixels.end(), 0x12345678u), 0);
}

TEST_F(FullscreenTest, HostThatTakesFullscreenGetsNoEngineWindow) {
  mHost.fullscreenHostAnswer = 0;
  EXPECT_EQ(SendKey(KeyEvent('f')), 0);
  EXPECT_EQ(FindWindowA(kEngineFullscreenWindowClass, nullptr), nullptr);
  EXPECT_EQ(IsFullscreen(), 1);
  EXPECT_EQ(SendKey(KeyEvent('f')), 0);  // the same key asks the host to end it
  EXPECT_EQ(IsFullscreen(), 0);
  EXPECT_EQ(FullscreenRequests(), (Requests{kAskOn, kAskOff}));
  const auto asks = EntriesOf(Journal(), "Callback", "FSHt");
  ASSERT_EQ(asks.size(), 2u);
  EXPECT_EQ(asks[0].Get("on"), "1");
  EXPECT_EQ(asks[1].Get("on"), "0");
}

TEST_F(FullscreenTest, HostThatLeavesFullscreenByItselfIsFollowed) {
  mHost.fullscreenHostAnswer = 0;
  ASSERT_EQ(mControl->SetFullscreen(mInstance, 1), 0);
  PixelBufferDesc desc{
      PixelBufferDesc::kFormat32, kWidth * 4, kWidth, kHeight, 1, mPixels.data(), {}};
  Table()->SetTarget(mInstance, &desc, nullptr,
                     TargetFlags::kPixelBuffer | TargetFlags::kFullscreen);
  EXPECT_EQ(IsFullscreen(), 1);
  Table()->SetTarget(mInstance, &desc, nullptr, TargetFlags::kPixelBuffer);
  EXPECT_EQ(IsFullscreen(), 0);
  // The next key starts fullscreen again instead of asking to end it.
  EXPECT_EQ(SendKey(KeyEvent('f')), 0);
  EXPECT_EQ(FullscreenRequests(), (Requests{kAskOn, kAskOn}));
}

TEST_F(FullscreenTest, HostThatFailsLeavesEverythingAsItWas) {
  mHost.fullscreenHostAnswer = 55013;
  EXPECT_EQ(mControl->SetFullscreen(mInstance, 1), 55013);
  EXPECT_EQ(FindWindowA(kEngineFullscreenWindowClass, nullptr), nullptr);
  EXPECT_EQ(IsFullscreen(), 0);
  EXPECT_EQ(FullscreenRequests(), (Requests{kAskOn}));
}

TEST_F(FullscreenTest, EscapeOutsideFullscreenIsNotTaken) {
  EXPECT_EQ(SendKey(KeyEvent(0x1B)), NVStatus::kEventNotConsumed);
  EXPECT_EQ(mControl->SetFullscreen(mInstance, 0), 0);  // nothing to end
  EXPECT_TRUE(FullscreenRequests().empty());
  EXPECT_EQ(mControl->SetFullscreen(mInstance + 1000, 1), NVStatus::kNoInstance);
}

}  // namespace
}  // namespace refengine_test
