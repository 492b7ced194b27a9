#include "NV_JMC/tests/win/MediaCenterRun.h"

#include <gtest/gtest.h>

#include <fstream>

#include "players/winamp/StandInCommand.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/ProgramRun.h"
#include "testsupport/win/WideText.h"

namespace {

constexpr wchar_t kProgram[] = L"JRiverStandIn.exe";
constexpr int64_t kPlayerMaxMs = 20000;
constexpr DWORD kExitMs = 30000;

}  // namespace

std::string PreferenceText(const std::string& name, char type, const std::string& value) {
  return "count = 1\n0 = \"" + name + "\"\n\"type:" + name + "\" = \"" + std::string(1, type) +
         "\"\n\"value:" + name + "\" = " + value + "\n";
}

MediaCenterRun RunMediaCenter(const std::string& steps, const std::string& preferences) {
  const std::wstring journal = NewTempFile(L"nvj");
  winamp_standin::StandInCommand setup;
  setup.Text("journal", Utf8(journal)).Number("maxMs", kPlayerMaxMs).Text("steps", steps);
  RunOptions options;
  options.arguments = Wide(setup.str());
  const std::wstring preferenceFile = NewTempFile(L"nvp");
  if (preferences.empty()) {
    DeleteFileW(preferenceFile.c_str());
  } else {
    std::ofstream(preferenceFile.c_str(), std::ios::binary) << preferences;
  }
  options.environment = {std::string(REFENGINE_PREFERENCES_ENV) + "=" + Utf8(preferenceFile)};
  MediaCenterRun run = RunStandInProgram(kProgram, options, journal, kExitMs);
  DeleteFileW(preferenceFile.c_str());
  return run;
}
