#include "vis_Omnihost/realplayer/win/RealPlayerVisualHost.h"

#include "vis_Omnihost/PluginIdentity.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/host/HostDescriptors.h"

namespace realplayer {

RealPlayerVisualHost::RealPlayerVisualHost() {
  SetDescriptor(HostDescriptor::kRealPlayer);
  auto* library = new EngineLibrary();
  library->SetName(UtilStr(omnihost::kProductName));
  AttachEngine(library);
  library->Release();  // the host holds its own reference
}

int32_t RealPlayerVisualHost::HandleGetS(AudioRequest* request) {
  return mAudio.Fill(request);
}

}  // namespace realplayer
