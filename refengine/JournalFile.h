// The file the journal is appended to, shared for reading and writing: a test in another
// process reads while the engine writes, and two engine copies in one process may append to
// the same file.
#pragma once

#include <cstdint>
#include <string>

namespace refengine {

class JournalFile {
 public:
  JournalFile() = default;
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;
  ~JournalFile() { Close(); }

  // Closes any open file, then opens the one at the UTF-8 path for appending (empty: none).
  // 0 or the system's error.
  uint32_t Open(const std::string& utf8Path);
  void Append(const std::string& text);
  void Close();

 private:
  void* mHandle = nullptr;  // the system's file: a HANDLE, or a FILE* natively
};

// The path REFENGINE_JOURNAL_ENV names (UTF-8), empty without one.
std::string JournalFileFromEnvironment();

}  // namespace refengine
