// How a test steers the stand-in XMPlay (XmplayStandIn.exe) and what the player journals.
// Shared by the player and the tests that run it.
//
// Setup: the common settings of players/shared/StandInSetup.h (journal, plugin, maxMs, steps).
//
// The player loads the plug-in, calls QueryModule and journals the information record, shows
// its own pixel buffer in a window, runs the steps and ends with exit code 0 (1 for a bad
// setup, 2 when the plug-in or its QueryModule could not be had). Steps (numbers decimal):
//   init                 the module's initialise
//   render W H [P]       render into the player's buffer of W by H pixels, P pixels a row
//                        (default W); a buffer of another size is a new one, the same size
//                        keeps the buffer
//   moved                the next render gets a new buffer of the same size at another address;
//                        the old one stays allocated, filled, and is checked after that render
//   nopixels W H         render with a null pixel address
//   nodata               the next render gets a null data record
//   click X Y            the module's clicked, with the left button
//   save, open           the module's save settings and open settings
//   deinit               the module's deinitialise
//   wait MS              lets the window's messages run for MS milliseconds
//
// Before each render the player fills its buffer, row tails and guard rows after the last row
// with standin::kFillPixel (players/shared/PlayerBuffer.h), and hands a data record of known
// content (WaveformValue, SpectrumValue).
#pragma once

#include <cstdint>

#include "players/shared/StandInJournal.h"

namespace xmplay_standin {

constexpr wchar_t kWindowClass[] = L"XMPlay Stand-in";

// The data record's content: waveform sample i of channel c, spectrum value i of channel c.
constexpr int8_t WaveformValue(int c, int i) {
  return int8_t((i * 3 + c * 50) % 200 - 100);
}
constexpr uint8_t SpectrumValue(int c, int i) {
  return uint8_t((i + c * 100) % 256);
}

// Exit codes.
constexpr int kExitNormal = 0;
constexpr int kExitNoPlugin = 2;  // 1: a bad setup (players/shared/StandInMain.h)

// Journal calls.
namespace call {
constexpr char kStarted[] = "Started";          // window
inline constexpr auto& kLoadLibrary = standin::kLoadLibraryCall;  // path, module, error
// export, info, version, name, required, initialize, render, saveSettings, openSettings,
// deinitialize, clicked, receiver (entries as addresses)
constexpr char kInfo[] = "Info";
constexpr char kInitialize[] = "Initialize";
// width, height, pitch, pixels, data, result; drawn (pixels of the area the module changed),
// outside (pixels changed outside the area: row tails and guard rows), corner and centre
// (0xRRGGBB of the pixels at (1, 1) and at the middle), previous (pixels changed in the buffer
// a "moved" step replaced; -1 without one)
constexpr char kRender[] = "Render";
constexpr char kClicked[] = "Clicked";            // x, y, result
constexpr char kSaveSettings[] = "SaveSettings";  // result
constexpr char kOpenSettings[] = "OpenSettings";  // result
constexpr char kDeinitialize[] = "Deinitialize";  // result
inline constexpr auto& kExit = standin::kExitCall;  // reason, code
}  // namespace call

}  // namespace xmplay_standin
