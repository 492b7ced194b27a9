#include "vis_Omnihost/xmplay/win/XmplayVisualHost.h"

namespace xmplay {

int64_t XmplayVisualHost::Click(int32_t x, int32_t y) {
  if (!CanRequest()) return 0;
  EventRecord event = {};
  event.x = x;
  event.y = y;
  event.flags = EventKind::kLeftDown;
  return mTable->Request(mInstance, HostRequest::kEvent, &event, nullptr);
}

int32_t XmplayVisualHost::HandleGetS(AudioRequest* request) {
  return FillAudioRequest(mChannels, request);
}

}  // namespace xmplay
