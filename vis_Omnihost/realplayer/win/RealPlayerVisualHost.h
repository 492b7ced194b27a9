// RealPlayerVisualHost: the host of RealPlayer's visualization object.
//
// The engine draws into the player's window, which the object subclasses; frames come from the
// render timer on that window's thread. The host answers the engine's audio requests from the
// player's latest audio data record. It has an engine library of its own.
#pragma once

#include "vis_Omnihost/realplayer/RealPlayerAudio.h"
#include "visualhost/host/VisualHost.h"

namespace realplayer {

class RealPlayerVisualHost : public VisualHost {
 public:
  // Sets the RealPlayer descriptor and attaches an engine library of the product's own.
  RealPlayerVisualHost();

  // The player's data for the next frames.
  void TakeAudio(const AudioData* data) { mAudio.Convert(data); }

  int32_t HandleGetS(AudioRequest* request) override;

 protected:
  ~RealPlayerVisualHost() override = default;

 private:
  AudioFrames mAudio;
};

}  // namespace realplayer
