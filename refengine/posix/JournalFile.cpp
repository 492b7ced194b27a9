#include "refengine/JournalFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "refengine/RefEngineControl.h"

namespace refengine {

uint32_t JournalFile::Open(const std::string& utf8Path) {
  Close();
  if (utf8Path.empty()) return 0;
  std::FILE* file = std::fopen(utf8Path.c_str(), "a");
  if (!file) return uint32_t(errno);
  mHandle = file;
  return 0;
}

void JournalFile::Append(const std::string& text) {
  if (!mHandle) return;
  auto* file = static_cast<std::FILE*>(mHandle);
  std::fwrite(text.data(), 1, text.size(), file);
  std::fflush(file);
}

void JournalFile::Close() {
  if (mHandle) std::fclose(static_cast<std::FILE*>(mHandle));
  mHandle = nullptr;
}

std::string JournalFileFromEnvironment() {
  const char* path = std::getenv(REFENGINE_JOURNAL_ENV);
  return path ? path : "";
}

}  // namespace refengine
