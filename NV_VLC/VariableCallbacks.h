// The VLC variable callbacks the module installs (VLC's callback signature; all answer
// VLC_SUCCESS). They run on whatever VLC thread changes the variable.
#pragma once

#include "NV_VLC/VlcHeaders.h"

// The audio output's "audio-visual"; data is the filter. Chosen again, or this filter is
// deselected.
int OnAudioVisual(vlc_object_t* output, const char* name, vlc_value_t previous, vlc_value_t value,
                  void* data);
// The audio output's "volume": VLC sets it below 0 when it destroys the output.
int OnAoutVolume(vlc_object_t* output, const char* name, vlc_value_t previous, vlc_value_t value,
                 void* data);
// The playlist's "input-current": an input or none.
int OnInputCurrent(vlc_object_t* playlist, const char* name, vlc_value_t previous,
                   vlc_value_t value, void* data);
