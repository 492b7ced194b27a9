#include "players/shared/StandInJournal.h"

#include <windows.h>

#include <mutex>

namespace standin {
namespace {

std::mutex gLock;
HANDLE gFile = INVALID_HANDLE_VALUE;

// Call with the lock held (or at a crash).
void WriteLine(refengine::JournalLine& line) {
  line.Number("ms", int64_t(GetTickCount64()));
  const std::string text = line.str() + "\n";
  if (gFile == INVALID_HANDLE_VALUE) return;
  // One unbuffered write per line: a reader never sees half a line from a buffer.
  DWORD written = 0;
  WriteFile(gFile, text.data(), DWORD(text.size()), &written, nullptr);
}

}  // namespace

bool OpenJournal(const std::wstring& path) {
  std::lock_guard<std::mutex> guard(gLock);
  // Readers in other processes open the file while it grows.
  gFile = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return gFile != INVALID_HANDLE_VALUE;
}

void WriteJournal(refengine::JournalLine line) {
  std::lock_guard<std::mutex> guard(gLock);
  WriteLine(line);
}

void WriteJournalAtCrash(refengine::JournalLine line) {
  WriteLine(line);
}

void WriteUnexpected(const char* what) {
  refengine::JournalLine line(kUnexpectedCall);
  line.Text("what", what);
  WriteJournal(line);
}

void CloseJournal() {
  std::lock_guard<std::mutex> guard(gLock);
  if (gFile != INVALID_HANDLE_VALUE) CloseHandle(gFile);
  gFile = INVALID_HANDLE_VALUE;
}

}  // namespace standin
