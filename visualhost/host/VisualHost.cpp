// The engine instance lifecycle of a host: attaching the engine library, starting and
// stopping the instance, and the end of the host.
#include "visualhost/host/VisualHost.h"

#include "visualhost/host/HostSystem.h"

namespace {

// How long StopInstance waits for the pump thread to see the instance gone.
constexpr uint32_t kPumpThreadEndTimeoutMs = 8000;

}  // namespace

void VisualHost::Dispose() {
  AttachEngine(nullptr);
  // A host whose instance never started can still have a timer running on a window that
  // outlives it.
  Schedule(false);
}

void VisualHost::AttachEngine(EngineLibrary* library) {
  if (library == mEngineLibrary) return;
  if (library != nullptr) library->AddRef();
  StopInstance();
  mTable = nullptr;
  mStatus = NVStatus::kNotStarted;
  // The new library is in place before the old one goes, so whatever the old one's release
  // sets off never sees a host holding a library that no longer exists.
  EngineLibrary* previous = mEngineLibrary;
  mEngineLibrary = library;
  if (previous != nullptr) previous->Release();
  if (library == nullptr) return;
  // Another host has loaded this engine already: its table can be taken at once.
  if (library->Status() == NVStatus::kOk) {
    const EngineTable* table = library->GetTable();
    StopInstance();
    mTable = table;
    mStatus = NVStatus::kNotStarted;
  }
}

void VisualHost::SetDescriptor(const char* text) {
  mHostDescriptor.Assign(text != nullptr ? text : "");
}

void VisualHost::StartInstance() {
  if (mTable == nullptr && mStatus == NVStatus::kNotStarted && mEngineLibrary != nullptr) {
    const EngineTable* table = mEngineLibrary->GetTable();
    if (table != nullptr) {
      StopInstance();
      mTable = table;
    } else {
      mStatus = NVStatus::kNotLoaded;
    }
  }
  if (mTable == nullptr || mStatus != NVStatus::kNotStarted) return;

  StopInstance();
  // The first frame is due at once.
  mNextPeriod = 1;
  if (mTable->CreateInstance == nullptr) {
    mStatus = NVStatus::kNotLoaded;
    return;
  }
  uint32_t instance = 0;
  mStatus =
      mTable->CreateInstance(&instance, 0, &VisualHostEngineCallback, this, mHostDescriptor.Text());
  if (mStatus != NVStatus::kOk) {
    // A failure counts whatever the handle says; an instance the engine made anyway is given
    // back at once, so that nothing is drawn with it or left behind.
    if (instance != 0 && mTable->DestroyInstance != nullptr) mTable->DestroyInstance(instance);
    return;
  }
  mInstance = instance;
  // Success without an instance handle leaves nothing to draw with or to destroy.
  if (mInstance == 0) mStatus = NVStatus::kNoInstance;
}

void VisualHost::StopInstance() {
  if (mInstance != 0) {
    DetachTarget();
    if (mTable != nullptr && mTable->DestroyInstance != nullptr) {
      mTable->DestroyInstance(mInstance);
    }
    mStatus = NVStatus::kNotStarted;
    mInstance = 0;
  }
  // The pump thread ends by itself once the instance is 0; one that does not is ended.
  if (mPumpThread != nullptr) {
    HostThread thread = mPumpThread;
    mPumpThread = nullptr;
    HostSystem().endPumpThread(thread, kPumpThreadEndTimeoutMs);
  }
}

void VisualHost::Shutdown() {
  StopInstance();
}

int32_t NV_ENGINE_CALL VisualHostEngineCallback(void* userData, uint32_t code, void* in,
                                                void* out) {
  auto* host = static_cast<VisualHost*>(userData);
  if (host == nullptr) return NVStatus::kNotHandled;
  try {
    return host->OnEngineRequest(code, in, out);
  } catch (...) {
    return NVStatus::kNotHandled;
  }
}
