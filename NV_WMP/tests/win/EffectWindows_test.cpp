// The effect's windows under Wine: the insets of the player's layered bars, a changed window
// and fullscreen re-attaching after the settle frames, and Media Center (this test program
// run again as ehshell.exe).
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "NV_WMP/tests/win/EffectHarness.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/ProgramRun.h"

namespace wmptest {
namespace {

LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A layered top-level window of one of the player's bar classes over a screen rectangle.
HWND MakeBar(const wchar_t* className, const RECT& rect, bool layered = true) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = BarProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  HWND bar = CreateWindowExW(layered ? WS_EX_LAYERED : 0, className, L"", WS_POPUP | WS_VISIBLE,
                             rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (layered) SetLayeredWindowAttributes(bar, 0, 200, LWA_ALPHA);
  return bar;
}

bool InMediaCenterRun() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring name = path;
  return name.size() >= 12 && _wcsicmp(name.c_str() + name.size() - 12, L"\\ehshell.exe") == 0;
}

class EffectWindowsTest : public InstalledEngineTest {
 protected:
  EngineJournal journal_;
};

TEST_F(EffectWindowsTest, LayeredBarsOverTheWindowGiveTheirInsets) {
  if (InMediaCenterRun()) GTEST_SKIP();
  PlayerWindows windows(false, 800, 600);
  RECT effectRect;
  GetWindowRect(windows.EffectWindow(), &effectRect);
  const RECT bottomBar = {effectRect.left, effectRect.bottom - 60, effectRect.right,
                          effectRect.bottom};
  const RECT squareBar = {effectRect.left, effectRect.top, effectRect.left + 300,
                          effectRect.top + 300};
  const RECT innerBar = {effectRect.left + 100, effectRect.bottom - 50, effectRect.right - 100,
                         effectRect.bottom};
  HWND bars[] = {MakeBar(L"WMP Skin Host", bottomBar), MakeBar(L"WMP Skin Host", squareBar),
                 MakeBar(L"CWmpControlCntr", innerBar)};
  wmp::Effects* effect = NewEffect();
  ASSERT_NE(effect, nullptr);
  windows.RouteTo(effect);
  effect->table->Create(effect, windows.EffectWindow());
  RenderFrames(effect, 4, Levels(0));
  const Journal sent = Calls(journal_.Read(), "Request", "Nset");
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back().Number("left"), 0);
  EXPECT_EQ(sent.back().Number("top"), 0);
  EXPECT_EQ(sent.back().Number("right"), 0);
  EXPECT_EQ(sent.back().Number("bottom"), 60);
  // Ten renderings after the attach the insets are sent again.
  RenderFrames(effect, 10, Levels(0));
  EXPECT_EQ(Calls(journal_.Read(), "Request", "Nset").size(), sent.size() + 1);

  effect->table->Destroy(effect);
  windows.RouteTo(nullptr);
  EXPECT_EQ(effect->table->Release(effect), 0u);
  for (HWND bar : bars) DestroyWindow(bar);
}

TEST_F(EffectWindowsTest, ANewWindowOrFullscreenReattachesAfterTheSettleFrames) {
  if (InMediaCenterRun()) GTEST_SKIP();
  PlayerWindows first;
  PlayerWindows second(false);
  wmp::Effects* effect = NewEffect();
  ASSERT_NE(effect, nullptr);
  first.RouteTo(effect);
  second.RouteTo(effect);
  effect->table->Create(effect, first.EffectWindow());
  RenderFrames(effect, 4, Levels(0));
  const size_t attaches = Calls(journal_.Read(), "SetTarget").size();
  // The same window again changes nothing.
  effect->table->Create(effect, first.EffectWindow());
  RenderFrames(effect, 1, Levels(0));
  EXPECT_EQ(Calls(journal_.Read(), "SetTarget").size(), attaches);

  // Another window: the engine leaves the old one at once and takes the new one 3 frames on.
  effect->table->Create(effect, second.EffectWindow());
  Journal targets = Calls(journal_.Read(), "SetTarget");
  ASSERT_EQ(targets.size(), attaches + 1);
  EXPECT_EQ(targets.back().Number("target"), 0);
  RenderFrames(effect, 2, Levels(0));
  EXPECT_EQ(Calls(journal_.Read(), "SetTarget").size(), attaches + 1);
  RenderFrames(effect, 1, Levels(0));
  targets = Calls(journal_.Read(), "SetTarget");
  EXPECT_EQ(targets.back().Number("target"), int64_t(uintptr_t(second.EffectWindow())));
  EXPECT_EQ(targets.back().Number("flags"), 4);

  // Fullscreen: the same window is attached again with the fullscreen flag.
  effect->table->GoFullscreen(effect, TRUE);
  RenderFrames(effect, 3, Levels(0));
  targets = Calls(journal_.Read(), "SetTarget");
  EXPECT_EQ(targets.back().Number("target"), int64_t(uintptr_t(second.EffectWindow())));
  EXPECT_EQ(targets.back().Number("flags"), 4 | 1024);

  effect->table->Destroy(effect);
  first.RouteTo(nullptr);
  second.RouteTo(nullptr);
  EXPECT_EQ(effect->table->Release(effect), 0u);
}

// The engine's window is painted by the engine; any other time the paint messages the player
// routes are the player's, or its window would stay invalid and its loop would be handed the
// same WM_PAINT for ever (a hang with a black window).
TEST_F(EffectWindowsTest, PaintMessagesAreThePlayersWhileTheEngineIsNotInItsWindow) {
  if (InMediaCenterRun()) GTEST_SKIP();
  PlayerWindows windows;
  wmp::Effects* effect = NewEffect();
  ASSERT_NE(effect, nullptr);
  const auto answers = [effect](const char* when, HRESULT expected) {
    for (UINT message : {UINT(WM_PAINT), UINT(WM_ERASEBKGND)}) {
      LRESULT result = 0;
      EXPECT_EQ(effect->table->OnWindowMessage(effect, message, 0, 0, &result), expected)
          << when << ", message " << message;
    }
  };
  answers("before Create", S_FALSE);
  effect->table->Create(effect, windows.EffectWindow());
  answers("during the settle frames", S_FALSE);
  RenderFrames(effect, 3, Levels(0));
  ASSERT_EQ(Calls(journal_.Read(), "CreateInstance").size(), 1u);
  answers("with the engine in the window", S_OK);
  effect->table->Destroy(effect);
  answers("after Destroy", S_FALSE);
  EXPECT_EQ(effect->table->Release(effect), 0u);
}

// Run only inside the copy named ehshell.exe (the next test starts it).
TEST_F(EffectWindowsTest, MediaCenterChild) {
  if (!InMediaCenterRun()) GTEST_SKIP() << "runs as ehshell.exe only";
  PlayerWindows windows(false, 800, 600);
  wmp::Effects* effect = NewEffect();
  ASSERT_NE(effect, nullptr);
  windows.RouteTo(effect);
  effect->table->Create(effect, windows.EffectWindow());
  RenderFrames(effect, 19, Levels(0));
  EXPECT_TRUE(Calls(journal_.Read(), "CreateInstance").empty()) << "before 20 renderings";
  RenderFrames(effect, 1, Levels(0));
  const Journal engine = journal_.Read();
  const Journal created = Calls(engine, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"),
            "Host=\"Windows Media Center\" Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1"
            "                          ");
  const Journal insets = Calls(engine, "Request", "Nset");
  ASSERT_FALSE(insets.empty());
  EXPECT_EQ(insets.back().Number("top"), 75);
  EXPECT_EQ(insets.back().Number("bottom"), 75);
  EXPECT_EQ(insets.back().Number("left"), 0);
  EXPECT_EQ(insets.back().Number("right"), 0);
  effect->table->Destroy(effect);
  windows.RouteTo(nullptr);
  EXPECT_EQ(effect->table->Release(effect), 0u);
}

// A suite of its own without an installed product: the run installs and removes its own.
TEST(EffectMediaCenterTest, AsEhshellTheEffectIsMediaCenter) {
  if (InMediaCenterRun()) GTEST_SKIP();
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring copy = InProgramFolder(L"ehshell.exe");
  ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
  RunOptions options;
  options.arguments = L"--gtest_filter=EffectWindowsTest.MediaCenterChild";
  ProgramRun run(copy, options);
  ASSERT_TRUE(run.started());
  EXPECT_EQ(run.WaitForExit(60000), 0) << "the Media Center run failed";
  DeleteFileW(copy.c_str());
}

}  // namespace
}  // namespace wmptest
