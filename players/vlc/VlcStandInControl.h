// How a test steers the stand-in VLC (VlcStandIn.exe, installed as vlc.exe beside the stand-in
// core libvlccore.dll) and what the player journals. Shared by the player and its tests.
//
// Setup: the common settings of players/shared/StandInSetup.h (journal, maxMs, steps, plugin:
// default plugins\visualization\libglimmora_plugin.dll in the program's folder, where VLC's
// module bank finds visualizations).
//
// The player loads the module, reads its descriptor through its entry point as VLC's module
// bank does, and runs the steps on its one thread, as VLC's audio output thread; the core's
// clock follows the system's tick count. It ends with exit code 0 (1 for a bad setup, 2 when
// the module or its entry could not be had). Steps (numbers decimal):
//   open       a playlist with a current audio-only input and an audio output, as VLC makes
//              them, and a visualization filter on that output (stereo, kRate) opened through
//              the descriptor's open callback
//   play N     N blocks of kBlockFrames of a tone through the filter in real time, each handed
//              over kLeadMs before it is heard
//   wait MS    sleeps
//   close      the user turns the visualization off; the filter is closed through the
//              descriptor's close callback
// At the end the core's log is journaled, one line each.
#pragma once

#include <cstdint>

namespace vlc_standin {

constexpr int32_t kRate = 44100;
constexpr int32_t kBlockFrames = 2205;  // 50 ms
constexpr int64_t kBlockMs = 50;
constexpr int64_t kLeadMs = 200;

constexpr int kExitNormal = 0;
constexpr int kExitNoModule = 2;  // 1: a bad setup (players/shared/StandInMain.h)

namespace call {
constexpr char kStarted[] = "Started";
constexpr char kLoadLibrary[] = "LoadLibrary";  // path, module, error
// entry (1: exported), result, name, capability, noUnload, open, close
constexpr char kDescriptor[] = "Descriptor";
constexpr char kOpen[] = "Open";  // result (VLC_SUCCESS 0)
// blocks, returned (blocks the filter handed back as given), untouched (whose samples it left
// as they were)
constexpr char kPlayed[] = "Played";
constexpr char kClosed[] = "Closed";
constexpr char kLog[] = "VlcLog";  // line ("<priority> <function>: <text>")
constexpr char kExit[] = "Exit";   // reason, code
}  // namespace call

}  // namespace vlc_standin
