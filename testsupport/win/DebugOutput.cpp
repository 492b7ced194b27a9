#include "testsupport/win/DebugOutput.h"

#include <windows.h>

#include <cstring>
#include <mutex>

namespace {

// What OutputDebugStringA raises: the length (with the terminator) and the text.
constexpr DWORD kDebugPrint = 0x40010006;

std::mutex gLock;
std::vector<std::string> gLines;

void Keep(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::lock_guard<std::mutex> hold(gLock);
  gLines.push_back(std::move(text));
}

LONG CALLBACK TakeDebugPrint(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (record->ExceptionCode != kDebugPrint || record->NumberParameters < 2) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  const auto length = static_cast<size_t>(record->ExceptionInformation[0]);
  const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
  if (text != nullptr && length > 0) Keep(std::string(text, strnlen(text, length)));
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

DebugOutput::DebugOutput() : mHandler(AddVectoredExceptionHandler(1, &TakeDebugPrint)) {
  Clear();
}

DebugOutput::~DebugOutput() {
  if (mHandler != nullptr) RemoveVectoredExceptionHandler(mHandler);
}

std::vector<std::string> DebugOutput::Lines() const {
  std::lock_guard<std::mutex> hold(gLock);
  return gLines;
}

bool DebugOutput::Has(const std::string& text) const {
  std::lock_guard<std::mutex> hold(gLock);
  for (const std::string& line : gLines) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

void DebugOutput::Clear() {
  std::lock_guard<std::mutex> hold(gLock);
  gLines.clear();
}
