// The track metadata poll that DoWork runs on VLC's audio thread after the audio work.
//
// VLC sends no notification the module can use, so the filter reads the playlist's current
// item now and then: every half second for 15 s after a track starts or its texts change
// (tags and artwork often arrive after playback has begun), every 2 s otherwise. Changes go
// into the feed's TrackMetaHolder; the session thread publishes them.
#pragma once

#include <cstdint>

#include "NV_VLC/TrackMetaHolder.h"
#include "NV_VLC/VlcHeaders.h"

struct MetaPollState {
  mtime_t nextPoll = 0;               // VLC clock of the next poll
  mtime_t fastPollUntil = 0;          // polls are 0.5 s apart until then, 2 s after
  const input_item_t* lastItem = nullptr;  // compared by identity only
};

// Polls if it is time at `now` (VLC's clock, microseconds). The filter is where the log line
// goes and where the search for the playlist starts.
void PollTrackMeta(vlc_object_t* filter, mtime_t now, MetaPollState& state,
                   TrackMetaHolder& holder);
