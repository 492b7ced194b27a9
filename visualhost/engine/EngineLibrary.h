// EngineLibrary: one product's engine in this process, shared by reference count.
//
// The library is searched for and loaded on the first GetTable, and a failed attempt is final
// for the object: later calls answer null at once without touching the disk. The table is
// handed back and the library unloaded when the last reference goes.
#pragma once

#include <cstdint>
#include <memory>

#include "utility/RefCountedObject.h"
#include "utility/UtilStr.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/EngineLoader.h"

class EngineLibrary : public RefCountedObject {
 public:
  EngineLibrary();
  // Uses the given loader instead of the system one (hosts in tests bring their own engine).
  explicit EngineLibrary(std::unique_ptr<EngineLoader> loader);

  // The last reference is gone: the engine is unloaded.
  void Dispose() override;
  // Hands the table back and unloads the library when it is bound (status back to 55050);
  // changes nothing otherwise, a failure status included.
  virtual void Unload();

  // Unloads, then names the product whose engine this object stands for.
  void SetName(const UtilStr& name);
  // The engine's table, loading the library on the first call; null when it cannot be had.
  const EngineTable* GetTable();

  // 55050 not tried yet, 0 loaded and bound, otherwise the failure of the one attempt.
  int32_t Status() const { return mStatus; }
  const UtilStr& Name() const { return mName; }
  const EngineLoader& Loader() const { return *mLoader; }

 protected:
  ~EngineLibrary() override = default;

 private:
  std::unique_ptr<EngineLoader> mLoader;
  int32_t mStatus = NVStatus::kNotStarted;
  UtilStr mName;
};
