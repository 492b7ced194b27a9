// The module-query visualization module as XMPlay loads it: the exported QueryModule, the
// information record it returns, and the entries the player calls on its rendering thread.
//
// The player may call render without initialise and may call initialise again while the host
// lives; both are harmless. Nothing thrown inside reaches the player: an entry that fails
// answers 0.
#include "utility/ExitCallbackList.h"
#include "vis_Omnihost/PluginIdentity.h"
#include "vis_Omnihost/xmplay/XmplayBuffer.h"
#include "vis_Omnihost/xmplay/XmplayRecords.h"
#include "vis_Omnihost/xmplay/win/XmplayVisualHost.h"
#include "visualhost/engine/SharedEngineLibrary.h"
#include "visualhost/host/HostDescriptors.h"

namespace xmplay {

namespace {

constexpr uint32_t kInfoVersion = 0;
constexpr int32_t kRequired = required::kWaveform | required::kPlayerEffects;

XmplayVisualHost* gHost = nullptr;
// The engine keeps drawing into the buffer it was handed, so its description lives as long as
// the process.
BufferTarget gBuffer;

void StartHost() {
  if (gHost == nullptr) {
    gHost = new XmplayVisualHost();
    gHost->AttachEngine(SharedEngineLibrary());
  }
  gHost->SetDescriptor(HostDescriptor::kXmplay);
  gHost->StartInstance();
  // A new instance has no target yet.
  gBuffer.Renew();
}

void StopHost() {
  if (XmplayVisualHost* host = gHost) {
    gHost = nullptr;
    host->Release();
  }
  ExitCallbackList::Run();
}

Bool RenderFrame(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                 const VisData* data) {
  if (gHost == nullptr) StartHost();
  switch (gBuffer.Take(pixels, width, height, pitch)) {
    case BufferChange::kRefused:
      // The engine still holds the last good buffer, which the player may have freed: no frame.
      return 0;
    case BufferChange::kAttach:
      gHost->AttachBuffer(&gBuffer.Descriptor(), 0, nullptr);
      break;
    case BufferChange::kSame:
      break;
  }
  gHost->UseData(data);
  gHost->Step();
  // The record is the player's again once render returns.
  gHost->UseData(nullptr);
  return 1;
}

void XMPLAY_CALL Initialize() {
  try {
    StartHost();
  } catch (...) {
  }
}

Bool XMPLAY_CALL Render(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                        VisData* data) {
  try {
    return RenderFrame(pixels, width, height, pitch, data);
  } catch (...) {
    return 0;
  }
}

Bool XMPLAY_CALL Deinitialize() {
  try {
    StopHost();
    return 1;
  } catch (...) {
    return 0;
  }
}

// The module keeps no settings of its own. Saving them ends the module as deinitialise does; a
// render after it starts the module again.
Bool XMPLAY_CALL SaveSettings(char*) {
  return Deinitialize();
}

Bool XMPLAY_CALL OpenSettings(char*) {
  return 1;
}

Bool XMPLAY_CALL Clicked(int32_t x, int32_t y, int32_t) {
  try {
    if (gHost == nullptr) return 0;
    return gHost->Click(x, y) != 0 ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

VisInfo gInfo = {kInfoVersion,  nullptr,       kRequired,     &Initialize, &Render,
                 &SaveSettings, &OpenSettings, &Deinitialize, &Clicked,    nullptr};

}  // namespace

}  // namespace xmplay

extern "C" xmplay::VisInfo* XMPLAY_CALL QueryModule() {
  xmplay::gInfo.name = omnihost::kProductName;
  return &xmplay::gInfo;
}
