// EngineLoader: finds a product's engine library, loads it and binds its function table.
//
// Either all three entry pointers (table, GetNVVisualAPI, ReleaseNVVisualAPI) are set, and the
// library stays loaded, or all three are null.
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"
#include "utility/NVObject.h"
#include "utility/UtilStr.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/LibraryHandle.h"

struct ProductInfo;

class EngineLoader : public NVObject {
 public:
  EngineLoader() = default;
  EngineLoader(const EngineLoader&) = delete;
  EngineLoader& operator=(const EngineLoader&) = delete;
  // Releases the table and unloads the library when still bound.
  ~EngineLoader() override;

  // Finds the product folder, reads its product information (into `info` when given) and
  // binds the library it names. The product folder is remembered only when found and read.
  virtual int32_t LoadByName(const UtilStr& productName, ProductInfo* info);
  // Reads a folder's product information without loading anything; on success the folder
  // becomes the remembered product folder.
  virtual int32_t ReadProductInfo(const NVFileSpec& folder, ProductInfo* info);
  // Loads the library and asks it for its table: 0, the load's status, 55041 for a missing
  // export, GetNVVisualAPI's own failure, or 55034 for success without a table. Any failure
  // leaves the loader unbound and the library unloaded.
  virtual int32_t Bind(const NVFileSpec& libraryPath);
  // Hands the table back to the engine and unloads the library (nothing when not loaded).
  virtual void Unbind();

  const EngineTable* Table() const { return mTable; }
  bool IsBound() const { return mTable != nullptr; }
  const NVFileSpec& ProductFolder() const { return mProductFolder; }
  const LibraryHandle& Library() const { return mLibrary; }

 protected:
  void ForgetEntries();

  LibraryHandle mLibrary;
  NVFileSpec mProductFolder;
  const EngineTable* mTable = nullptr;
  ReleaseNVVisualAPIFn mReleaseEntry = nullptr;
  GetNVVisualAPIFn mGetEntry = nullptr;
};
