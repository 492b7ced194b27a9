#include "NV_VLC/SessionEngine.h"

#include "NV_VLC/EngineInstalled.h"
#include "NV_VLC/VlcVisualHost.h"
#include "visualhost/engine/EngineLibrary.h"

namespace {

// The process's one engine library, kept from its first successful load to the end.
EngineLibrary* gEngineLibrary = nullptr;

// The kept library, or a new one for this start (one reference, the caller's) that is kept
// only if it loads.
EngineLibrary* TakeEngineLibrary() {
  if (gEngineLibrary != nullptr) {
    gEngineLibrary->AddRef();
    return gEngineLibrary;
  }
  auto* library = new EngineLibrary();
  library->SetName(UtilStr(kProductName));
  if (library->GetTable() != nullptr) {
    library->AddRef();
    gEngineLibrary = library;
  }
  return library;
}

}  // namespace

VlcVisualHost* StartSessionHost(std::atomic<int32_t>& startsInProgress, int32_t* status,
                                int32_t* secondStatus) {
  auto* host = new VlcVisualHost();
  startsInProgress.fetch_add(1);
  EngineLibrary* library = TakeEngineLibrary();
  host->AttachEngine(library);
  if (library->Status() == NVStatus::kOk && host->Instance() == 0) host->StartInstance();
  startsInProgress.fetch_sub(1);
  if (host->Instance() == 0) {
    *status = host->Status();
    *secondStatus = library->Status();
    library->Release();
    host->Release();
    return nullptr;
  }
  library->Release();  // the host holds its own reference
  return host;
}
