// One run of a program in its own process, started the way a user or a player's launcher
// starts it: the stand-alone program, a stand-in player, any tool of the build tree. The run
// gets its own journal file for the reference engine (through the engine's environment
// variable), and the environment variables the test adds, without changing the test process's
// own environment. A run still going when the object goes is ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "testsupport/win/RefEngineJournal.h"

struct RunOptions {
  std::wstring arguments;                // the command line after the program's quoted path
  std::vector<std::string> environment;  // NAME=value, added to or replacing this process's
  std::wstring folder;                   // the program's current directory; empty: this one's
};

class ProgramRun {
 public:
  // `program`: a full path, or a file name in the test program's own folder.
  explicit ProgramRun(const std::wstring& program, const RunOptions& options = {});
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool started() const { return mProcess != nullptr; }
  bool Running() const;
  DWORD ProcessId() const { return mProcessId; }
  // Waits for the program to end; its exit code, or -1 when it did not end in time.
  long WaitForExit(DWORD milliseconds = 15000);

  // The journal file of this run (UTF-8 path) and what it holds so far.
  const std::string& JournalPath() const { return mJournalPath; }
  std::vector<refengine_journal::JournalEntry> Journal() const;

 private:
  HANDLE mProcess = nullptr;
  DWORD mProcessId = 0;
  std::string mJournalPath;
};
