// Starting a session's engine instance, the same for the session drivers of every platform.
// The process keeps one engine library from its first successful load to its end, so a later
// session does not load the engine again.
#pragma once

#include <atomic>
#include <cstdint>

class VlcVisualHost;

// A new host with a started engine instance (one reference, the caller's), or null with the
// host's status in *status and the engine library's in *secondStatus. startsInProgress counts
// the starts under way while this one runs (an audio output that closes meanwhile waits longer).
VlcVisualHost* StartSessionHost(std::atomic<int32_t>& startsInProgress, int32_t* status,
                                int32_t* secondStatus);
