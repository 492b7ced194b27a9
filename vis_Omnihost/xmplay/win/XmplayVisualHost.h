// XmplayVisualHost: the host of the module-query visualization module in XMPlay.
//
// The engine draws into the player's own pixel buffer, handed over with every render; frames
// come only from the player's render calls. The host answers the engine's audio requests from
// the data record of the frame being rendered. One host exists per process, from the player's
// initialise to its deinitialise; everything runs on the player's rendering thread.
#pragma once

#include <cstdint>

#include "vis_Omnihost/xmplay/XmplayAudio.h"
#include "vis_Omnihost/xmplay/XmplayRecords.h"
#include "visualhost/host/VisualHost.h"

namespace xmplay {

class XmplayVisualHost : public VisualHost {
 public:
  XmplayVisualHost() = default;

  // The data of the frame about to be drawn (null: none).
  void UseData(const VisData* data) { mChannels = ChannelsOf(data); }
  // Sends the engine a left click at the point; the engine's answer (0 without an instance).
  int64_t Click(int32_t x, int32_t y);

  int32_t HandleGetS(AudioRequest* request) override;

 protected:
  ~XmplayVisualHost() override = default;

 private:
  AudioChannels mChannels;
};

}  // namespace xmplay
