#include "testsupport/win/ProgramRun.h"

#include <algorithm>
#include <cwctype>

#include "testsupport/win/Folders.h"
#include "testsupport/win/WideText.h"

namespace {

std::wstring UpperName(const std::wstring& setting) {
  // A leading '=' belongs to the name (the system's per-drive directory entries).
  std::wstring name = setting.substr(0, setting.find(L'=', 1));
  for (wchar_t& c : name) c = wchar_t(std::towupper(c));
  return name;
}

std::vector<std::wstring> CurrentEnvironment() {
  std::vector<std::wstring> settings;
  wchar_t* block = GetEnvironmentStringsW();
  if (block == nullptr) return settings;
  for (const wchar_t* entry = block; *entry != 0; entry += wcslen(entry) + 1) {
    settings.emplace_back(entry);
  }
  FreeEnvironmentStringsW(block);
  return settings;
}

// This process's environment with the additions in place, as a block for CreateProcessW:
// sorted by name, each setting zero-terminated, one more zero at the end.
std::wstring ChildEnvironment(const std::vector<std::string>& additions) {
  std::vector<std::wstring> settings = CurrentEnvironment();
  for (const std::string& addition : additions) {
    const std::wstring setting = Wide(addition);
    const std::wstring name = UpperName(setting);
    std::erase_if(settings, [&](const std::wstring& s) { return UpperName(s) == name; });
    settings.push_back(setting);
  }
  std::sort(settings.begin(), settings.end(),
            [](const std::wstring& a, const std::wstring& b) { return UpperName(a) < UpperName(b); });
  std::wstring block;
  for (const std::wstring& setting : settings) block += setting + L'\0';
  block += L'\0';
  return block;
}

std::wstring ProgramPath(const std::wstring& program) {
  const bool isPath = program.find_first_of(L"\\/:") != std::wstring::npos;
  return isPath ? program : InProgramFolder(program);
}

}  // namespace

ProgramRun::ProgramRun(const std::wstring& program, const RunOptions& options) {
  const std::wstring journal = NewTempFile(L"nvj");
  mJournalPath = Utf8(journal);
  std::vector<std::string> environment = options.environment;
  environment.push_back(std::string(REFENGINE_JOURNAL_ENV) + "=" + mJournalPath);
  std::wstring block = ChildEnvironment(environment);

  const std::wstring path = ProgramPath(program);
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!options.arguments.empty()) commandLine += L" " + options.arguments;

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                     CREATE_UNICODE_ENVIRONMENT, block.data(),
                     options.folder.empty() ? nullptr : options.folder.c_str(), &startup,
                     &process)) {
    CloseHandle(process.hThread);
    mProcess = process.hProcess;
    mProcessId = process.dwProcessId;
  }
}

ProgramRun::~ProgramRun() {
  if (mProcess != nullptr) {
    // A run a failed test left behind must not hold the next one's windows or files.
    if (Running()) TerminateProcess(mProcess, 99);
    WaitForSingleObject(mProcess, 5000);
    CloseHandle(mProcess);
  }
  DeleteFileW(Wide(mJournalPath).c_str());
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
