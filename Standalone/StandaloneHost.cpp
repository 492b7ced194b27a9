#include "Standalone/StandaloneHost.h"

#include <windows.h>

#include <cstring>

#include "visualhost/engine/EngineRegistry.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

// Products whose name carries this marker are told not to look for updates themselves.
constexpr char kNoUpdateCheckMarker[] = "VazoDadiruv";
constexpr char kNoUpdateCheckSetting[] = " UpdateCheck.Enabled=0";

}  // namespace

StandaloneHost::StandaloneHost(const char* productName) {
  EngineRegistry* registry = EngineRegistry::CreateIfNeeded();
  UtilStr descriptor(HostDescriptor::kStandalone);
  if (std::strstr(productName, kNoUpdateCheckMarker) != nullptr) {
    descriptor.Append(kNoUpdateCheckSetting, -1);
  }
  SetDescriptor(descriptor.Text());
  AttachEngine(registry != nullptr ? registry->GetOrCreate(UtilStr(productName)) : nullptr);
}

void StandaloneHost::Dispose() {
  VisualHost::Dispose();
  if (mWindow == nullptr) return;
  HWND window = static_cast<HWND>(mWindow);
  mWindow = nullptr;
  // Closing the window destroys it before the host goes; a handle that no longer names a
  // window must not be destroyed a second time (it may name someone else's by now).
  if (IsWindow(window)) {
    // The window procedure must not reach a host that is going away.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
}
