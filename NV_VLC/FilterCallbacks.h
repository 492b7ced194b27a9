// The callbacks VLC calls on a visualization filter of this module: Open when the audio output
// wants the "glimmora" visualization, Close when that filter goes. Both run on VLC's threads.
#pragma once

#include "NV_VLC/VlcHeaders.h"

// VLC_SUCCESS when the filter runs, VLC_EGENERIC when it is not to, VLC_ENOMEM when its state
// cannot be had.
int OpenFilter(vlc_object_t* object);
void CloseFilter(vlc_object_t* object);
