#include "testsupport/win/ReferenceEngine.h"

#include <windows.h>

#include <memory>

#include "testsupport/win/Folders.h"
#include "testsupport/win/WideText.h"
#include "visualhost/engine/EngineLoader.h"

namespace {

class ReferenceEngineLoader : public EngineLoader {
 public:
  int32_t LoadByName(const UtilStr&, ProductInfo*) override {
    NVFileSpec path;
    path.SetPath(UtilStr(Utf8(ReferenceEnginePath()).c_str()));
    return Bind(path);
  }
};

}  // namespace

std::wstring ReferenceEnginePath() {
  return InProgramFolder(L"" REFENGINE_DLL_NAME);
}

const RefEngineControlApi* EngineControl(const std::wstring& modulePath) {
  const HMODULE module = GetModuleHandleW(modulePath.c_str());
  if (module == nullptr) return nullptr;
  auto control = reinterpret_cast<RefEngineControlFn>(
      reinterpret_cast<void*>(GetProcAddress(module, REFENGINE_CONTROL_EXPORT)));
  return control != nullptr ? control(REFENGINE_CONTROL_VERSION) : nullptr;
}

EngineLibrary* NewReferenceEngineLibrary() {
  return new EngineLibrary(std::make_unique<ReferenceEngineLoader>());
}
