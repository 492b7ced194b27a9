#include "vis_Omnihost/tests/win/WinampPlayerTest.h"

#include "players/winamp/StandInControl.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;

PlayerSetup SetupFor(const wchar_t* folder, const char* mode, const StandInCommand& options) {
  PlayerSetup setup;
  setup.playerFolder = folder;
  setup.options.Text("mode", mode).Number("renderMs", 20).Add(options);
  return setup;
}

void WinampPlayerTest::SetUp() {
  mProduct = std::make_unique<InstalledProduct>(InstalledProduct::Options{});
  ASSERT_TRUE(mProduct->ok());
}

void WinampPlayerTest::TearDown() {
  mProduct.reset();
}

HWND WaitForEngineWindow(const StandInPlayerRun& run, size_t earlier) {
  HWND window = nullptr;
  run.WaitForPlayer([&](const Journal& player) {
    size_t windows = 0;
    for (const JournalEntry& entry : Messages(player, winamp::command::kVisualizationWindow)) {
      if (entry.Number("wparam") == 0) continue;
      window = WindowField(entry, "wparam");
      ++windows;
    }
    return windows > earlier;
  });
  if (!window) return nullptr;
  // The engine takes the window at its first paint.
  const bool attached = run.WaitForEngine([&](const Journal& engine) {
    for (const JournalEntry& entry : EntriesOf(engine, "SetTarget")) {
      if (WindowField(entry, "target") == window && entry.Number("status") == 0) return true;
    }
    return false;
  });
  return attached ? window : nullptr;
}

bool WaitForFrameIn(const StandInPlayerRun& run, HWND window) {
  return run.WaitForEngine([&](const Journal& engine) {
    bool attached = false;
    for (const JournalEntry& entry : engine) {
      if (entry.call == "SetTarget") {
        attached = WindowField(entry, "target") == window && entry.Number("status") == 0;
      } else if (attached && entry.call == "RunFrame" && entry.Number("known") == 1) {
        return true;
      }
    }
    return false;
  });
}

JournalEntry Probe(StandInPlayerRun& run) {
  const size_t before = CountOf(run.PlayerJournal(), winamp_standin::call::kProbe);
  EXPECT_TRUE(run.Send(StandInCommand("Probe")));
  JournalEntry probe;
  run.WaitForPlayer([&](const Journal& player) {
    const Journal probes = EntriesOf(player, winamp_standin::call::kProbe);
    if (probes.size() <= before) return false;
    probe = probes.back();
    return true;
  });
  return probe;
}

void ExpectCleanExit(StandInPlayerRun& run) {
  EXPECT_EQ(run.Exit(), 0);
  const Journal engine = run.EngineJournal();
  size_t created = 0;
  for (const JournalEntry& entry : EntriesOf(engine, "CreateInstance")) {
    if (entry.Number("status") == 0) ++created;
  }
  EXPECT_EQ(CountOf(engine, "DestroyInstance"), created);
}
