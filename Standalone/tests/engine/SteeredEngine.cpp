// An engine for tests that drive a host in another process: it loads the reference engine
// lying beside it, applies the test controls named by its environment, and hands the host the
// reference engine's table. The reference engine's journal records everything as usual.
//
//   NV_STEER_CREATE_STATUS=<status>         CreateInstance refuses with this status
//   NV_STEER_CREATE_FAILS_WITH_HANDLE=<status>
//                                           CreateInstance makes the instance and writes its
//                                           handle, but answers this status (the engine's
//                                           journal shows the instance made)
//   NV_STEER_WINDOW=<left>,<top>,<right>,<bottom>   'Wind' answers this rectangle
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "refengine/RefEngineControl.h"
#include "visualhost/engine/EngineInterface.h"

namespace {

HMODULE gSelf = nullptr;
HMODULE gEngine = nullptr;
// The reference engine's table with CreateInstance replaced, when a variable asks for that.
EngineTable gSteeredTable = {};
const EngineTable* gRealTable = nullptr;
EngineCreateInstanceFn gRealCreateInstance = nullptr;
int32_t gCreateFailureStatus = 0;

bool ReadVariable(const char* name, char* buffer, DWORD size) {
  const DWORD length = GetEnvironmentVariableA(name, buffer, size);
  return length > 0 && length < size;
}

void ApplyControls(const RefEngineControlApi* controls) {
  char value[128];
  if (ReadVariable("NV_STEER_CREATE_STATUS", value, sizeof value)) {
    controls->FailCreateInstance(static_cast<int32_t>(std::strtol(value, nullptr, 10)));
  }
  int left = 0, top = 0, right = 0, bottom = 0;
  if (ReadVariable("NV_STEER_WINDOW", value, sizeof value) &&
      std::sscanf(value, "%d,%d,%d,%d", &left, &top, &right, &bottom) == 4) {
    controls->SetWindowAnswer(1, left, top, right, bottom);
  }
}

int32_t NV_ENGINE_CALL CreateButReportFailure(uint32_t* instance, int32_t reserved,
                                              EngineCallback callback, void* userData,
                                              const char* descriptor) {
  gRealCreateInstance(instance, reserved, callback, userData, descriptor);
  return gCreateFailureStatus;
}

// The table handed to the host: the reference engine's own, or a copy whose CreateInstance
// misbehaves.
const EngineTable* SteeredTable(const EngineTable* table) {
  char value[64];
  if (table == nullptr || !ReadVariable("NV_STEER_CREATE_FAILS_WITH_HANDLE", value, sizeof value)) {
    return table;
  }
  gCreateFailureStatus = static_cast<int32_t>(std::strtol(value, nullptr, 10));
  gRealTable = table;
  gRealCreateInstance = table->CreateInstance;
  gSteeredTable = *table;
  gSteeredTable.CreateInstance = &CreateButReportFailure;
  return &gSteeredTable;
}

HMODULE LoadReferenceEngine() {
  char path[MAX_PATH + 32];
  const DWORD length = GetModuleFileNameA(gSelf, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  char* slash = std::strrchr(path, '\\');
  if (slash == nullptr) return nullptr;
  std::snprintf(slash + 1, sizeof path - size_t(slash + 1 - path), "%s", REFENGINE_DLL_NAME);
  return LoadLibraryA(path);
}

template <typename Function>
Function Bind(const char* name) {
  return gEngine != nullptr
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(gEngine, name)))
             : nullptr;
}

}  // namespace

extern "C" int32_t NV_ENGINE_CALL GetNVVisualAPI(int32_t version, const EngineTable** table,
                                                 void* reserved) {
  if (gEngine == nullptr) gEngine = LoadReferenceEngine();
  auto control = Bind<RefEngineControlFn>(REFENGINE_CONTROL_EXPORT);
  auto getApi = Bind<GetNVVisualAPIFn>(kGetNVVisualAPIName);
  if (control == nullptr || getApi == nullptr) return NVStatus::kNotLoaded;
  const RefEngineControlApi* controls = control(REFENGINE_CONTROL_VERSION);
  if (controls != nullptr) ApplyControls(controls);
  const int32_t status = getApi(version, table, reserved);
  if (status == 0 && table != nullptr) *table = SteeredTable(*table);
  return status;
}

extern "C" void NV_ENGINE_CALL ReleaseNVVisualAPI(const EngineTable* table) {
  auto release = Bind<ReleaseNVVisualAPIFn>(kReleaseNVVisualAPIName);
  // The reference engine gets back the table it handed out.
  if (table == &gSteeredTable) table = gRealTable;
  if (release != nullptr) release(table);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) gSelf = self;
  return TRUE;
}
