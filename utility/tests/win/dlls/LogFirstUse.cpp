// A module with the utility library and nothing else, for the test that the log reads its
// settings at first use and never while the module loads.
#include "utility/LogFile.h"
#include "utility/LogMessage.h"
#include "utility/LogModuleLoad.h"

extern "C" __declspec(dllexport) int LogFirstUseReads() {
  return LogSettingsTesting::Reads();
}

extern "C" __declspec(dllexport) const char* LogFirstUseFolder() {
  return LogFolder();
}

extern "C" __declspec(dllexport) void LogFirstUseMessage() {
  LogMessage(LogFlags::kDebug, "a message of a category nobody enabled");
}
