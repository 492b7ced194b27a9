#include "Standalone/tests/ProgramRun.h"

#include "Standalone/tests/InstalledProduct.h"

namespace {

std::string NewJournalPath() {
  char folder[MAX_PATH];
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "nvj", 0, path);
  return path;
}

}  // namespace

ProgramRun::ProgramRun(const std::vector<std::string>& environment) {
  mJournalPath = NewJournalPath();
  SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, mJournalPath.c_str());
  for (const std::string& setting : environment) {
    const size_t equals = setting.find('=');
    mVariableNames.push_back(setting.substr(0, equals));
    SetEnvironmentVariableA(mVariableNames.back().c_str(), setting.substr(equals + 1).c_str());
  }
  std::string program = ProgramFolder() + "Standalone.exe";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    mProcess = process.hProcess;
  }
}

ProgramRun::~ProgramRun() {
  if (mProcess != nullptr) {
    // A run a failed test left behind must not hold the next one's windows or files.
    if (Running()) TerminateProcess(mProcess, 99);
    WaitForSingleObject(mProcess, 5000);
    CloseHandle(mProcess);
  }
  SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, nullptr);
  for (const std::string& name : mVariableNames) SetEnvironmentVariableA(name.c_str(), nullptr);
  DeleteFileA(mJournalPath.c_str());
}

bool ProgramRun::Running() const {
  return mProcess != nullptr && WaitForSingleObject(mProcess, 0) == WAIT_TIMEOUT;
}

long ProgramRun::WaitForExit(DWORD milliseconds) {
  if (mProcess == nullptr || WaitForSingleObject(mProcess, milliseconds) != WAIT_OBJECT_0) {
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(mProcess, &code);
  return long(code);
}

std::vector<refengine_journal::JournalEntry> ProgramRun::Journal() const {
  return refengine_journal::ReadJournalFile(mJournalPath);
}

bool WaitUntil(const std::function<bool()>& check, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!check()) {
    if (GetTickCount64() >= deadline) return check();
    Sleep(50);
  }
  return true;
}

HWND WaitForWindow(const char* windowClass, const char* title, DWORD milliseconds) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        window = FindWindowA(windowClass, title);
        return window != nullptr;
      },
      milliseconds);
  return window;
}
