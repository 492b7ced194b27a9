// VLC 3.0's plug-in headers, included the one way that compiles both natively and with MinGW.
//
// VLC's own Windows build declares poll() in a header it does not install; the inline wrapper
// in vlc_threads.h needs that declaration (it is never called from this module), and
// struct pollfd comes from winsock2.h, which must precede windows.h.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
extern "C" int poll(struct pollfd* fds, unsigned count, int timeout);
#endif

#include <vlc_common.h>
#include <vlc_plugin.h>

#include <vlc_aout.h>
#include <vlc_block.h>
#include <vlc_filter.h>
#include <vlc_input.h>
#include <vlc_meta.h>
#include <vlc_playlist.h>
