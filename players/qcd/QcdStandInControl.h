// How a test steers the stand-in QCD (QcdStandIn.exe) and what the player journals. Shared by
// the player and the tests that run it.
//
// Setup: the common settings of players/shared/StandInSetup.h (journal, plugin, maxMs, steps)
// and
//   window = 1           1: the service with opcode 31 answers the player's window for visuals;
//                        0: it answers none, so the plug-in draws into the video buffer
//   structure = 1        0: QVisualModule0 is given no module structure
//   enginePeriod = MS    the reference engine the plug-in loaded answers every RunFrame with
//                        MS (its controls, in this process), so that a test fixes the pacing
//                        whatever the machine's load
//
// The player loads the plug-in, gives QVisualModule0 its module structure (the service, a
// video buffer description of 160 by 120 pixels, 1024 stereo frames of known samples and known
// spectrum values) and journals the answer and the fields the plug-in set. It ends with exit
// code 0 (1 for a bad setup, 2 when the plug-in, its export or its engine could not be had).
// Steps (numbers decimal):
//   init                 the module's init
//   render               the module's render; the journal shows what it did to the player's
//                        window and video buffer
//   size W H             window mode: the window's client area becomes W by H; buffer mode: a
//                        new video buffer of W by H (sizes below 1 are described as given, the
//                        memory has at least one pixel)
//   nopixels             the video buffer description's pixel address becomes null
//   event T X Y          the module's event function
//   shutdown             the module's shutdown
//   wait MS              lets the window's messages run for MS milliseconds
//
// Before each render the player fills its video buffer (and the guard rows after it) with
// standin::kFillPixel (players/shared/PlayerBuffer.h).
#pragma once

#include <cstdint>

#include "players/shared/StandInJournal.h"

namespace qcd_standin {

constexpr wchar_t kWindowClass[] = L"QCD Stand-in";
constexpr int32_t kFirstWidth = 160;
constexpr int32_t kFirstHeight = 120;

// The structure's audio: sample i (counted in samples, channels interleaved) and spectrum
// value i.
constexpr int16_t SampleValue(int i) {
  return int16_t((i * 523) % 60000 - 30000);
}
constexpr double SpectrumValue(int i) {
  return 0.25 * i;
}

// Exit codes.
constexpr int kExitNormal = 0;
constexpr int kExitNoModule = 2;  // 1: a bad setup (players/shared/StandInMain.h)

// Journal calls.
namespace call {
constexpr char kStarted[] = "Started";          // window, mode
inline constexpr auto& kLoadLibrary = standin::kLoadLibraryCall;  // path, module, error
// export, result, output, structure; size, one, spectrumSize, init, render, event, shutdown
// (entries as addresses), cleared (1 when every field the plug-in clears is 0)
constexpr char kModule[] = "Module";
constexpr char kService[] = "Service";  // opcode, buffer, value1, value2, answer
constexpr char kInit[] = "Init";        // result
// result; drawn, outside (video buffer pixels changed inside and outside the picture), corner
// (0xRRGGBB of the buffer at (1, 1)), windowCorner (0xRRGGBB of the window at (1, 1), -1 in
// buffer mode), width, height (the window's client area or the buffer's description)
constexpr char kRender[] = "Render";
constexpr char kEvent[] = "Event";  // type, x, y, result
constexpr char kShutdown[] = "Shutdown";
inline constexpr auto& kExit = standin::kExitCall;  // reason, code
}  // namespace call

}  // namespace qcd_standin
