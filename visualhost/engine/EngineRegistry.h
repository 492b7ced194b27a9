// EngineRegistry: the stand-alone program's engine libraries, one per product name.
//
// The process has at most one registry. It is made by the first host that needs it and is
// destroyed through the exit callback list, which releases every library it holds.
#pragma once

#include "utility/NVObject.h"
#include "utility/StrTable.h"
#include "utility/UtilStr.h"
#include "visualhost/engine/EngineLibrary.h"

class EngineRegistry : public NVObject {
 public:
  EngineRegistry() = default;
  EngineRegistry(const EngineRegistry&) = delete;
  EngineRegistry& operator=(const EngineRegistry&) = delete;
  ~EngineRegistry() override = default;

  // The process's registry, or null before CreateIfNeeded (and after the exit callbacks ran).
  static EngineRegistry* Instance();
  // Makes the process's registry when there is none. Making it registers the exit callback
  // list to run at process exit and adds to the list the call that destroys the registry.
  static EngineRegistry* CreateIfNeeded();

  // The library of the product, made, named and stored when there is none yet. The registry
  // keeps the only reference it creates; a caller that holds on to the library takes its own.
  EngineLibrary* GetOrCreate(const UtilStr& productName);
  int32_t Count() const { return mLibraries.Count(); }

 private:
  // Product names are compared byte for byte.
  StrTable mLibraries{true};
};
