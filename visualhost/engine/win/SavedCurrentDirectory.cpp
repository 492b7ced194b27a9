// Saving and restoring the current directory around a library load.
#include "visualhost/engine/win/SavedCurrentDirectory.h"

#include <windows.h>

#include "utility/win/WidePath.h"

SavedCurrentDirectory::SavedCurrentDirectory() : mLength(GetCurrentDirectoryW(kCapacity, mSaved)) {}

SavedCurrentDirectory::~SavedCurrentDirectory() {
  if (mChanged) SetCurrentDirectoryW(mSaved);
}

void SavedCurrentDirectory::Enter(const NVFileSpec& folder) {
  // A length of kCapacity or more is the size the system needed: nothing was saved.
  if (mLength < 1 || mLength >= static_cast<uint32_t>(kCapacity)) return;
  const WidePath<kCapacity> wide(folder);
  SetCurrentDirectoryW(wide.Get());
  mChanged = true;
}
