// FilterState: what the module keeps per VLC filter (the filter's p_sys).
#pragma once

#include <atomic>
#include <cstdint>

#include "NV_VLC/AudioFeed.h"
#include "NV_VLC/CountedRef.h"
#include "NV_VLC/MetadataPoll.h"
#include "NV_VLC/VlcHeaders.h"

class Tap;

struct FilterState {
  CountedRef<AudioFeed> feed;
  Tap* tap = nullptr;  // the filter's reference
  MetaPollState poll;
  int32_t lastLoggedLeadMs = -1;
  // The parent on which the "audio-visual" callback was installed, or null.
  vlc_object_t* audioOutput = nullptr;
  // The audio output's "audio-visual" stopped naming this module (set on another VLC thread).
  std::atomic<bool> deselected{false};
};
