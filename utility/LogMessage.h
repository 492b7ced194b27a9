// Debug output by category.
//
// The flag word carries the category in its low 24 bits and the outputs above it. A message
// whose flags name no output goes where its category was enabled (EnableCategory, or the
// Shift+Ctrl/Alt keys held while the module loads); a message with neither is dropped before
// it is formatted.
#pragma once

#include <cstdarg>
#include <cstdint>

namespace LogFlags {
constexpr uint32_t kCategoryMask = 0x00FFFFFF;
constexpr uint32_t kFile = 0x01000000;        // the log file on the desktop
constexpr uint32_t kConsole = 0x02000000;     // standard output
constexpr uint32_t kLineMode = 0x10000000;    // a line end follows the message
constexpr uint32_t kConsoleAlt = 0x20000000;  // standard output as well
constexpr uint32_t kOutputs = kFile | kConsole | kConsoleAlt;
// The library's own debug lines: category 1, line mode.
constexpr uint32_t kDebug = kLineMode | 1;
}  // namespace LogFlags

void LogMessage(uint32_t flags, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
void LogMessageV(uint32_t flags, const char* format, va_list args);

// Sends the category's messages to the console from now on. The table holds 32 categories;
// once it is full, further categories stay off (those already in it can still be re-enabled).
void EnableCategory(uint32_t category);

namespace LogMessageTesting {
int EnabledCategoryCount();
// The entry at index: category in the low 24 bits, output bits above; 0 past the count.
uint32_t EnabledCategoryEntry(int index);
// Forgets the categories enabled after the first count, so a test can undo its own.
void TruncateEnabledCategories(int count);
}  // namespace LogMessageTesting
