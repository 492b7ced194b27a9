#include "testsupport/win/StandInProgram.h"

#include <gtest/gtest.h>

#include "players/shared/StandInJournal.h"
#include "testsupport/win/WideText.h"

StandInProgramRun RunStandInProgram(const std::wstring& program, const RunOptions& options,
                                    const std::wstring& playerJournal, DWORD exitMs) {
  StandInProgramRun run;
  {
    ProgramRun player(program, options);
    EXPECT_TRUE(player.started()) << "the stand-in player did not start: " << Utf8(program);
    run.exitCode = player.WaitForExit(exitMs);
    run.engine = player.Journal();
  }
  run.player = refengine_journal::ReadJournalFile(Utf8(playerJournal));
  DeleteFileW(playerJournal.c_str());
  return run;
}

std::string UnexpectedLines(const Journal& player) {
  std::string lines;
  for (const refengine_journal::JournalEntry& entry :
       refengine_journal::EntriesOf(player, standin::kUnexpectedCall)) {
    for (const auto& [key, value] : entry.fields) lines += key + "=" + value + " ";
    lines += "\n";
  }
  return lines;
}
