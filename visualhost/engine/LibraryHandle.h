// LibraryHandle: one loaded engine library file.
//
// Loading runs with the library's own folder as the current directory, so that the library
// finds the files it loads by relative name; the caller's current directory is put back
// afterwards whatever the outcome. A file that the system rejects as the wrong kind of module
// (or that is missing) is tried once more under the name with this build's architecture
// suffix, for products that ship both builds side by side.
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"
#include "utility/NVObject.h"

class LibraryHandle : public NVObject {
 public:
  LibraryHandle() = default;
  LibraryHandle(const LibraryHandle&) = delete;
  LibraryHandle& operator=(const LibraryHandle&) = delete;
  ~LibraryHandle() override;

  // Unloads what was loaded, then loads the file: 0, 55011 for an empty path, 55040 when the
  // file (and its architecture-suffixed twin) cannot be loaded or its path does not fit the
  // system's wide-text buffers.
  virtual int32_t Load(const NVFileSpec& path);
  // Frees the module, if any, and forgets the path.
  virtual void Unload();
  virtual bool IsLoaded() const { return mModule != nullptr; }

  // The address of an export of the loaded module, or null (also when nothing is loaded).
  void* FindExport(const char* name) const;
  // The file last loaded; empty when nothing is loaded.
  const NVFileSpec& LibraryPath() const { return mLibraryPath; }

 private:
  NVFileSpec mLibraryPath;
  void* mModule = nullptr;
};
