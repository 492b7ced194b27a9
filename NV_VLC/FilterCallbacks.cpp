// The filter's open and close callbacks.
#include "NV_VLC/FilterCallbacks.h"

// Until sessions exist, no filter is taken on: VLC carries on without the visualization.
int OpenFilter(vlc_object_t* object) {
  (void)object;
  return VLC_EGENERIC;
}

void CloseFilter(vlc_object_t* object) { (void)object; }
