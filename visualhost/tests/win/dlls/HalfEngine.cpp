// A library that offers GetNVVisualAPI but not ReleaseNVVisualAPI: a host must refuse it
// without asking it for a table. Asking anyway is counted, so tests can tell.
#include <cstdint>

#include "visualhost/engine/EngineInterface.h"

namespace {
int32_t gGetApiCalls = 0;
}  // namespace

extern "C" __declspec(dllexport) int32_t NV_ENGINE_CALL
    GetNVVisualAPI(int32_t, const EngineTable** table, void*) {
  ++gGetApiCalls;
  static const EngineTable emptyTable = {};
  if (table != nullptr) *table = &emptyTable;
  return 0;
}

extern "C" __declspec(dllexport) int32_t HalfEngineGetApiCalls() {
  return gGetApiCalls;
}
