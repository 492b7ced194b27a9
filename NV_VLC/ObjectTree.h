// Finding VLC objects by type along a filter's chain of parents.
#pragma once

#include "NV_VLC/VlcHeaders.h"

// The object itself or its nearest ancestor whose object type is `type`; null when none is.
vlc_object_t* FindObjectOfType(vlc_object_t* object, const char* type);

// The nearest "playlist" object from the object upwards, or null.
playlist_t* FindPlaylist(vlc_object_t* object);
