// The lines this process writes with OutputDebugString, kept while a DebugOutput lives, so a
// test can assert on what a module reports only to a debugger (the VLC module's session lines
// when no filter is left to take them, say).
//
// A debugger sees such a line as a debug-print exception raised inside OutputDebugString; a
// vectored handler takes it first, keeps the text and lets the call return. Only one
// DebugOutput may live at a time.
#pragma once

#include <string>
#include <vector>

class DebugOutput {
 public:
  DebugOutput();
  ~DebugOutput();
  DebugOutput(const DebugOutput&) = delete;
  DebugOutput& operator=(const DebugOutput&) = delete;

  // The lines written since this object was made (or last cleared), without their line ends.
  std::vector<std::string> Lines() const;
  bool Has(const std::string& text) const;
  void Clear();

 private:
  void* mHandler;
};
