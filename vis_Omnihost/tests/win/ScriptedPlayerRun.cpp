#include "vis_Omnihost/tests/win/ScriptedPlayerRun.h"

#include <gtest/gtest.h>

#include "testsupport/win/Folders.h"
#include "testsupport/win/WideText.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"

namespace {

constexpr wchar_t kPlugin[] = L"vis_Omnihost.dll";
// The player stops by itself after this long, whatever its steps say.
constexpr int64_t kPlayerMaxMs = 20000;
constexpr DWORD kExitMs = 30000;

}  // namespace

ScriptedRun RunScriptedPlayer(const wchar_t* program, const std::string& steps,
                              const winamp_standin::StandInCommand& more) {
  const std::wstring journal = NewTempFile(L"nvx");
  winamp_standin::StandInCommand setup;
  setup.Text("journal", Utf8(journal))
      .Text("plugin", Utf8(InProgramFolder(kPlugin)))
      .Number("maxMs", kPlayerMaxMs)
      .Text("steps", steps)
      .Add(more);
  RunOptions options;
  options.arguments = Wide(setup.str());
  // A preference file of the run's own that does not exist: the engine starts fresh.
  const std::wstring preferences = NewTempFile(L"nvr");
  DeleteFileW(preferences.c_str());
  options.environment = {std::string(REFENGINE_PREFERENCES_ENV) + "=" + Utf8(preferences)};
  ScriptedRun run = RunStandInProgram(program, options, journal, kExitMs);
  EXPECT_EQ(UnexpectedLines(run.player), "")
      << "the stand-in player's Unexpected lines, steps: " << steps;
  DeleteFileW(preferences.c_str());
  return run;
}
