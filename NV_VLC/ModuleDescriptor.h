// The module's three exported entry points, which VLC 3.0's module bank looks up by these
// exact names: the descriptor, which tells VLC what the module is through VLC's setter
// callback, and two constant texts.
#pragma once

#include "NV_VLC/VlcHeaders.h"

extern "C" {
int vlc_entry__3_0_0f(vlc_set_cb vlcSet, void* opaque);
const char* vlc_entry_copyright__3_0_0f();
const char* vlc_entry_license__3_0_0f();
}
