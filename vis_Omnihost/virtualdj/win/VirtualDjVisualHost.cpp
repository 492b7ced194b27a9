#include "vis_Omnihost/virtualdj/win/VirtualDjVisualHost.h"

#include "vis_Omnihost/PluginIdentity.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/host/HostDescriptors.h"

namespace virtualdj {

VirtualDjVisualHost::VirtualDjVisualHost() {
  SetDescriptor(HostDescriptor::kVirtualDj);
  auto* library = new EngineLibrary();
  library->SetName(UtilStr(omnihost::kProductName));
  library->GetTable();  // loads the engine now; a missing one shows at start
  AttachEngine(library);
  library->Release();  // the host holds its own reference
}

int64_t VirtualDjVisualHost::SendEvent(const EventRecord& event) {
  if (!CanRequest() || mInstance == 0) return NVStatus::kNotHandled;
  EventRecord record = event;
  return mTable->Request(mInstance, HostRequest::kEvent, &record, nullptr);
}

void VirtualDjVisualHost::OnTargetDetached() {
  mAudio.History().Clear();
  VisualHost::OnTargetDetached();
}

int32_t VirtualDjVisualHost::HandleGetS(AudioRequest* request) {
  return mAudio.Fill(request);
}

}  // namespace virtualdj
