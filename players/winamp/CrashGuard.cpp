#include "players/winamp/CrashGuard.h"

#include <windows.h>

#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"

namespace winamp_standin {
namespace {

LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception) {
  refengine::JournalLine line(call::kUnexpected);
  line.Text("what", "crash");
  if (exception && exception->ExceptionRecord) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    line.Number("exception", int64_t(record.ExceptionCode))
        .Address("address", record.ExceptionAddress);
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        static_cast<LPCWSTR>(record.ExceptionAddress), &module);
    line.Address("module", module);
  }
  WriteJournalAtCrash(line);
  TerminateProcess(GetCurrentProcess(), kExitCrashed);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashGuard() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(&OnCrash);
}

}  // namespace winamp_standin
