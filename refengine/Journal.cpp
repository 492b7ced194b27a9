#include "refengine/Journal.h"

#include <deque>
#include <mutex>

#include "refengine/JournalFile.h"

namespace refengine {
namespace {

// A demo run draws for hours; the memory journal keeps only its newest lines.
constexpr size_t kMaxLinesInMemory = 50000;

struct JournalState {
  std::mutex lock;
  std::deque<std::string> lines;
  JournalFile file;
  // The environment's file is opened lazily, at the first line, so that a test may set the
  // variable after loading the engine but before using it.
  bool fileChosen = false;
};

JournalState& State() {
  static JournalState* state = new JournalState;  // outlives every static destructor
  return *state;
}

void CloseFileLocked(JournalState& state) {
  state.file.Close();
}

uint32_t OpenFileLocked(JournalState& state, const std::string& path) {
  state.fileChosen = true;
  return state.file.Open(path);
}

void OpenEnvironmentFileLocked(JournalState& state) {
  OpenFileLocked(state, JournalFileFromEnvironment());
}

}  // namespace

void WriteJournal(const JournalLine& line) {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.lines.size() >= kMaxLinesInMemory) state.lines.pop_front();
  state.lines.push_back(line.str());
  if (!state.fileChosen) OpenEnvironmentFileLocked(state);
  state.file.Append(line.str() + "\n");
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
  return OpenFileLocked(state, utf8Path);
}

void CloseJournal() {
  JournalState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  CloseFileLocked(state);
}

}  // namespace refengine
