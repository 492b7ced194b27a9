// VirtualDjVisualHost: the host of the VirtualDJ video effect.
//
// The engine draws on VirtualDJ's Direct3D 9 device, attached as an "other" target, each time
// VirtualDJ asks the effect to draw; the host itself paces nothing. Audio arrives on VirtualDJ's
// audio thread into the sample history, which is the only part of the host used from that
// thread; everything else runs on VirtualDJ's drawing thread.
#pragma once

#include "vis_Omnihost/virtualdj/VirtualDjAudio.h"
#include "visualhost/host/VisualHost.h"

namespace virtualdj {

class VirtualDjVisualHost : public VisualHost {
 public:
  // Sets the VirtualDJ descriptor and attaches an engine library of the product's own.
  VirtualDjVisualHost();

  // Safe to call from the audio thread.
  SampleHistory& Samples() { return mAudio.History(); }
  // The engine's answer to the event; 55012 (not handled) without an instance to send it to.
  int64_t SendEvent(const EventRecord& event);

  void OnTargetDetached() override;
  int32_t HandleGetS(AudioRequest* request) override;

 protected:
  ~VirtualDjVisualHost() override = default;

 private:
  VirtualDjAudio mAudio;
};

}  // namespace virtualdj
