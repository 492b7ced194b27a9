// The log file: path, once-per-process header line, append per message.
#include "utility/LogFile.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "utility/DateText.h"
#include "utility/LocalDate.h"
#include "utility/LogFileOpen.h"
#include "utility/LogModuleLoad.h"

namespace {

constexpr char kLogFileName[] = "Novalume Log.txt";
constexpr size_t kLogPathCapacity = 1024;

char gLogFolder[kLogFolderCapacity + 1] = "\\";
std::atomic<bool> gHeaderPending{true};

void WriteHeader(std::FILE* file) {
  char date[kDateTextCapacity];
  FormatDate(date, sizeof date, CurrentLocalDate());
  std::fprintf(file, "===== %s =====\n", date);
}

}  // namespace

void StoreLogFolder(const char* folder) {
  if (folder == nullptr) folder = "";
  const size_t length = strnlen(folder, kLogFolderCapacity);
  std::memcpy(gLogFolder, folder, length);
  gLogFolder[length] = '\0';
}

void SetLogFolder(const char* folder) {
  // The settings come first, so that they never replace a folder chosen after them.
  EnsureLogSettings();
  StoreLogFolder(folder);
}

const char* LogFolder() {
  EnsureLogSettings();
  return gLogFolder;
}

void AppendToLogFile(const char* text, bool lineMode) {
  EnsureLogSettings();
  char path[kLogPathCapacity];
  std::snprintf(path, sizeof path, "%s%s", gLogFolder, kLogFileName);
  std::FILE* file = OpenLogFileForAppend(path);
  if (file == nullptr) return;
  // Only the thread that clears the flag writes the header.
  if (gHeaderPending.exchange(false)) WriteHeader(file);
  std::fputs(text, file);
  if (lineMode) std::fputc('\n', file);
  std::fclose(file);
}

void LogFileTesting::RearmHeader() {
  gHeaderPending = true;
}
