// Category filtering and formatting of debug messages, and their delivery to the console and
// the log file.
#include "utility/LogMessage.h"

#include <cstdio>
#include <cstdlib>

#include "utility/LogFile.h"
#include "utility/LogModuleLoad.h"

namespace {

constexpr int kMaxEnabledCategories = 32;
constexpr uint32_t kEntryOutputMask = 0xFF000000;
constexpr int kFirstPassSize = 510;
// The second pass gets the full length plus some slack, in case the arguments print longer the
// second time (a string changed by another thread).
constexpr int kSecondPassSlack = 32;

// Each entry is a category in the low 24 bits and its output bits above. Filled by the log's
// settings at first use and by EnableCategory, read by every message that names no output.
uint32_t gEnabled[kMaxEnabledCategories];
int gEnabledCount = 0;

uint32_t EnabledOutputs(uint32_t category) {
  EnsureLogSettings();
  for (int i = 0; i < gEnabledCount; ++i) {
    if ((gEnabled[i] & LogFlags::kCategoryMask) == category) return gEnabled[i] & kEntryOutputMask;
  }
  return 0;
}

void WriteToConsole(const char* text, bool lineMode) {
  std::fputs(text, stdout);
  if (lineMode) std::fputc('\n', stdout);
  // Several modules of one process share the console; flushing keeps their lines in order.
  std::fflush(stdout);
}

void WriteMessage(const char* text, uint32_t flags) {
  const bool lineMode = (flags & LogFlags::kLineMode) != 0;
  if (flags & (LogFlags::kConsole | LogFlags::kConsoleAlt)) WriteToConsole(text, lineMode);
  if (flags & LogFlags::kFile) AppendToLogFile(text, lineMode);
}

}  // namespace

void EnableCategory(uint32_t category) {
  // The settings' categories come first, as they would have at load time.
  EnsureLogSettings();
  AddEnabledCategory(category);
}

void AddEnabledCategory(uint32_t category) {
  category &= LogFlags::kCategoryMask;
  for (int i = 0; i < gEnabledCount; ++i) {
    if ((gEnabled[i] & LogFlags::kCategoryMask) == category) {
      gEnabled[i] = category | LogFlags::kConsole;
      return;
    }
  }
  // A full table keeps the categories enabled first; the extra one stays off.
  if (gEnabledCount >= kMaxEnabledCategories) return;
  gEnabled[gEnabledCount] = category | LogFlags::kConsole;
  ++gEnabledCount;
}

void LogMessageV(uint32_t flags, const char* format, va_list args) {
  const uint32_t category = flags & LogFlags::kCategoryMask;
  if ((flags & LogFlags::kOutputs) == 0 && category != 0) flags |= EnabledOutputs(category);
  if ((flags & LogFlags::kOutputs) == 0 || format == nullptr) return;

  char text[kFirstPassSize];
  va_list second;
  va_copy(second, args);
  const int needed = std::vsnprintf(text, sizeof text, format, args);
  text[sizeof text - 1] = '\0';  // some formatters leave a full buffer unterminated on failure
  if (needed < static_cast<int>(sizeof text)) {
    WriteMessage(text, flags);
  } else {
    const size_t limit = static_cast<size_t>(needed) + kSecondPassSlack;
    char* whole = static_cast<char*>(std::malloc(limit + 2));
    if (whole != nullptr) {
      std::vsnprintf(whole, limit, format, second);
      WriteMessage(whole, flags);
      std::free(whole);
    } else {
      WriteMessage(text, flags);
    }
  }
  va_end(second);
}

void LogMessage(uint32_t flags, const char* format, ...) {
  va_list args;
  va_start(args, format);
  LogMessageV(flags, format, args);
  va_end(args);
}

int LogMessageTesting::EnabledCategoryCount() {
  return gEnabledCount;
}

uint32_t LogMessageTesting::EnabledCategoryEntry(int index) {
  return index >= 0 && index < gEnabledCount ? gEnabled[index] : 0;
}

void LogMessageTesting::TruncateEnabledCategories(int count) {
  if (count >= 0 && count < gEnabledCount) gEnabledCount = count;
}
