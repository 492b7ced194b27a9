#include "players/shared/LoadedReferenceEngine.h"

#include <windows.h>

namespace standin {

const RefEngineControlApi* LoadedReferenceEngine() {
  const HMODULE engine = GetModuleHandleW(L"" REFENGINE_DLL_NAME);
  if (engine == nullptr) return nullptr;
  // Through void* first: the export's real type is only known by name.
  const auto control = reinterpret_cast<RefEngineControlFn>(
      reinterpret_cast<void*>(GetProcAddress(engine, REFENGINE_CONTROL_EXPORT)));
  const RefEngineControlApi* api = control != nullptr ? control(REFENGINE_CONTROL_VERSION) : nullptr;
  return api != nullptr && api->size >= sizeof(RefEngineControlApi) ? api : nullptr;
}

}  // namespace standin
