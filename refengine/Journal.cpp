#include "refengine/Journal.h"

#include <windows.h>

#include <deque>
#include <mutex>

#include "refengine/RefEngineControl.h"

namespace refengine {
namespace {

// A demo run draws for hours; the memory journal keeps only its newest lines.
constexpr size_t kMaxLinesInMemory = 50000;

struct JournalState {
  std::mutex lock;
  std::deque<std::string> lines;
  HANDLE file = INVALID_HANDLE_VALUE;
  // The environment's file is opened lazily, at the first line, so that a test may set the
  // variable after loading the engine but before using it.
  bool fileChosen = false;
};

JournalState& State() {
  static JournalState* state = new JournalState;  // outlives every static destructor
  return *state;
}

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(size_t(units > 0 ? units : 0), L'\0');
  if (units > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), units);
  return wide;
}

void CloseFileLocked(JournalState& state) {
  if (state.file != INVALID_HANDLE_VALUE) CloseHandle(state.file);
  state.file = INVALID_HANDLE_VALUE;
}

uint32_t OpenFileLocked(JournalState& state, const std::wstring& path) {
  CloseFileLocked(state);
  state.fileChosen = true;
  if (path.empty()) return 0;
  // Shared for reading and writing: a test in another process reads while the engine writes,
  // and two engine copies in one process may append to the same file.
  state.file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return state.file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
}

void OpenEnvironmentFileLocked(JournalState& state) {
  wchar_t path[1024];
  const DWORD length = GetEnvironmentVariableW(L"" REFENGINE_JOURNAL_ENV, path, 1024);
  OpenFileLocked(state, length > 0 && length < 1024 ? std::wstring(path, length) : L"");
}

}  // namespace

void WriteJournal(const JournalLine& line) {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.lines.size() >= kMaxLinesInMemory) state.lines.pop_front();
  state.lines.push_back(line.str());
  if (!state.fileChosen) OpenEnvironmentFileLocked(state);
  if (state.file != INVALID_HANDLE_VALUE) {
    const std::string text = line.str() + "\n";
    DWORD written = 0;
    WriteFile(state.file, text.data(), DWORD(text.size()), &written, nullptr);
  }
}

int32_t JournalCount() {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return int32_t(state.lines.size());
}

bool JournalAt(int32_t index, std::string* line) {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (index < 0 || size_t(index) >= state.lines.size()) return false;
  *line = state.lines[size_t(index)];
  return true;
}

void ResetJournal() {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.lines.clear();
  CloseFileLocked(state);
  state.fileChosen = false;
}

uint32_t SetJournalFile(const std::string& utf8Path) {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return OpenFileLocked(state, Utf8ToWide(utf8Path));
}

void CloseJournal() {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  CloseFileLocked(state);
}

}  // namespace refengine
