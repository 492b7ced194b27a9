// The process's current directory, saved on construction and put back on destruction.
//
// A directory too long to save is never changed: Enter refuses, so the caller's directory
// cannot be lost.
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"

class SavedCurrentDirectory {
 public:
  // Room for 1023 characters and the terminator.
  static constexpr int32_t kCapacity = 1024;

  SavedCurrentDirectory();
  SavedCurrentDirectory(const SavedCurrentDirectory&) = delete;
  SavedCurrentDirectory& operator=(const SavedCurrentDirectory&) = delete;
  ~SavedCurrentDirectory();

  // Makes the folder current when the saved one can be restored later; the folder's wide form
  // is the empty text (and the change fails) when it does not fit the buffer.
  void Enter(const NVFileSpec& folder);

 private:
  wchar_t mSaved[kCapacity];
  uint32_t mLength;
  bool mChanged = false;
};
