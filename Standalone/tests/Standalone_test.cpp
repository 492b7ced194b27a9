// The stand-alone program end to end: the real Standalone.exe in its own process, with the
// reference engine installed as the product (or not), watched through its windows, its exit
// code and the engine's journal.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/ProgramRun.h"
#include "testsupport/win/Waiting.h"
#include "testsupport/win/WindowTexts.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;

constexpr char kWindowClass[] = "Novalume Glimmora Standalone";
constexpr char kWindowTitle[] = "Glimmora";
constexpr char kFailureCaption[] = "Failed to load Glimmora.";
constexpr char kFailureText[] =
    "The Glimmora visual engine either failed to load or could not be found in the Novalume "
    "support folder.  To fix the problem, try reinstalling Glimmora.   ";
constexpr wchar_t kProgram[] = L"Standalone.exe";
constexpr wchar_t kSteeredEngine[] = L"SteeredEngine.dll";

// The reference engine's own choice of window when nobody set its preferences.
constexpr RECT kEngineWindow = {64, 48, 864, 648};

size_t CountOf(const std::vector<JournalEntry>& journal, const std::string& call) {
  return EntriesOf(journal, call).size();
}

// Position of the first line of the call, or the journal's size when there is none.
size_t FirstIndexOf(const std::vector<JournalEntry>& journal, const std::string& call) {
  for (size_t i = 0; i < journal.size(); ++i) {
    if (journal[i].call == call) return i;
  }
  return journal.size();
}

// The reference engine as the product, or the steered engine in front of it.
InstalledProduct::Options ReferenceEngineProduct() {
  return {};
}
InstalledProduct::Options SteeredEngineProduct() {
  InstalledProduct::Options options;
  options.libFile = kSteeredEngine;
  options.engineSource = kSteeredEngine;
  options.besideFiles = {L"" REFENGINE_DLL_NAME};
  return options;
}

RunOptions WithEnvironment(std::vector<std::string> environment) {
  RunOptions options;
  options.environment = std::move(environment);
  return options;
}

class StandaloneTest : public ::testing::Test {
 protected:
  // Whatever an interrupted run left installed would be found by the program.
  void SetUp() override { InstalledProduct::Remove(ReferenceEngineProduct()); }
  void TearDown() override { InstalledProduct::Remove(ReferenceEngineProduct()); }
};

TEST_F(StandaloneTest, RunsTheEngineInAWindowPlacedByTheEngineUntilClosed) {
  InstalledProduct product(ReferenceEngineProduct());
  ASSERT_TRUE(product.ok());
  ProgramRun run(kProgram);
  ASSERT_TRUE(run.started());

  HWND window = WaitForWindow(kWindowClass, kWindowTitle);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), kWindowTitle);
  EXPECT_EQ(WindowClass(window), kWindowClass);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  RECT placed = {};
  ASSERT_TRUE(GetWindowRect(window, &placed));
  EXPECT_EQ(placed.left, kEngineWindow.left);
  EXPECT_EQ(placed.top, kEngineWindow.top);
  EXPECT_EQ(placed.right, kEngineWindow.right);
  EXPECT_EQ(placed.bottom, kEngineWindow.bottom);

  // Frames keep coming, not just a first one.
  size_t frames = 0;
  for (int round = 0; round < 3; ++round) {
    const size_t before = frames;
    ASSERT_TRUE(WaitUntil([&] {
      frames = CountOf(run.Journal(), "RunFrame");
      return frames > before + 2;
    })) << "round "
        << round << ", frames " << frames;
  }

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0);
  EXPECT_FALSE(IsWindow(window));

  const std::vector<JournalEntry> journal = run.Journal();
  const std::vector<JournalEntry> created = EntriesOf(journal, "CreateInstance");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].Get("descriptor"), HostDescriptor::kStandalone);
  EXPECT_EQ(created[0].Get("descriptor").size(), 101u);
  EXPECT_EQ(created[0].Number("status"), 0);
  ASSERT_EQ(CountOf(journal, "DestroyInstance"), 1u);
  ASSERT_EQ(CountOf(journal, "ReleaseNVVisualAPI"), 1u);
  EXPECT_LT(FirstIndexOf(journal, "DestroyInstance"), FirstIndexOf(journal, "ReleaseNVVisualAPI"));
  EXPECT_EQ(EntriesOf(journal, "ReleaseNVVisualAPI")[0].Number("instances"), 0);
}

struct FailureCase {
  const char* name;
  bool installed;  // the steered engine; otherwise no product at all
  std::vector<std::string> environment;
  size_t instancesMade;  // by the engine, whatever it answered
};

TEST_F(StandaloneTest, WithoutAnEngineInstanceOnlyTheWarningBoxAppears) {
  const FailureCase cases[] = {
      {"no product installed", false, {}, 0},
      {"engine refuses CreateInstance", true, {"NV_STEER_CREATE_STATUS=55001"}, 0},
      {"engine reports failure but writes a handle", true,
       {"NV_STEER_CREATE_FAILS_WITH_HANDLE=55001"}, 1},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<InstalledProduct> product;
    if (c.installed) {
      product = std::make_unique<InstalledProduct>(SteeredEngineProduct());
      ASSERT_TRUE(product->ok());
    }
    ProgramRun run(kProgram, WithEnvironment(c.environment));
    ASSERT_TRUE(run.started());

    HWND box = WaitForWindow(nullptr, kFailureCaption);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kFailureText);
    EXPECT_EQ(FindWindowA(kWindowClass, nullptr), nullptr);
    EXPECT_TRUE(run.Running());

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(FindWindowA(kWindowClass, nullptr), nullptr);
    // Every instance the engine made was destroyed, and nothing else.
    const std::vector<JournalEntry> journal = run.Journal();
    std::vector<int64_t> made;
    for (const JournalEntry& created : EntriesOf(journal, "CreateInstance")) {
      if (created.Number("instance") != 0) made.push_back(created.Number("instance"));
    }
    std::vector<int64_t> destroyed;
    for (const JournalEntry& gone : EntriesOf(journal, "DestroyInstance")) {
      destroyed.push_back(gone.Number("instance"));
    }
    EXPECT_EQ(made.size(), c.instancesMade);
    EXPECT_EQ(destroyed, made);
    EXPECT_TRUE(EntriesOf(journal, "SetTarget").empty());
    EXPECT_TRUE(EntriesOf(journal, "RunFrame").empty());
  }
}

struct PlacementCase {
  const char* name;
  const char* answer;  // left,top,right,bottom
};

TEST_F(StandaloneTest, AnUnusableWindowAnswerKeepsTheWindowHiddenWhileRunning) {
  const PlacementCase cases[] = {
      {"empty", "NV_STEER_WINDOW=200,200,200,500"},
      {"no height", "NV_STEER_WINDOW=200,200,600,200"},
      {"inverted", "NV_STEER_WINDOW=600,500,200,100"},
  };
  InstalledProduct product(SteeredEngineProduct());
  ASSERT_TRUE(product.ok());
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramRun run(kProgram, WithEnvironment({c.answer}));
    ASSERT_TRUE(run.started());

    HWND window = WaitForWindow(kWindowClass, kWindowTitle);
    ASSERT_NE(window, nullptr);
    // Running: frames arrive in the hidden window.
    ASSERT_TRUE(WaitUntil([&] { return CountOf(run.Journal(), "RunFrame") > 3; }));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(run.Running());

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
  }
}

}  // namespace
