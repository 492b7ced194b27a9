// One run of the stand-alone program in its own process, started the way the user starts it,
// with the reference engine's journal going to a file of the test's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "refengine/RefEngineJournal.h"

class ProgramRun {
 public:
  // `environment`: NAME=value settings added to this process's environment for the child.
  explicit ProgramRun(const std::vector<std::string>& environment = {});
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool started() const { return mProcess != nullptr; }
  bool Running() const;
  // Waits for the program to end; its exit code, or -1 when it did not end in time.
  long WaitForExit(DWORD milliseconds = 15000);

  std::vector<refengine_journal::JournalEntry> Journal() const;

 private:
  HANDLE mProcess = nullptr;
  std::string mJournalPath;
  std::vector<std::string> mVariableNames;
};

// Asks again every 50 ms until the check holds or the time is up; the last answer.
bool WaitUntil(const std::function<bool()>& check, DWORD milliseconds = 15000);

// The first top-level window of the class and title (either may be null), or null.
HWND WaitForWindow(const char* windowClass, const char* title, DWORD milliseconds = 15000);
