// How a test steers the stand-in RealPlayer (RealPlayerStandIn.exe) and what the player
// journals. Shared by the player and the tests that run it.
//
// Setup: the common settings of players/shared/StandInSetup.h (journal, plugin, maxMs, steps)
// and
//   context = 1          0: the player's context answers no interface at all
//
// The player makes two windows of its own on its main thread (1 and 2, kClientWidth by
// kClientHeight, user data kWindowUserData), runs their messages there, and runs the steps on
// a second thread, as RealPlayer calls its visualization from a thread other than the window's.
// It ends with exit code 0 (1 for a bad setup, 2 when the plug-in or its export could not be
// had). Steps (numbers decimal):
//   create               MPACreateVisualization
//   query                the object's query for the unknown interface, the visualization
//                        interface and one it does not have
//   init                 initialise with the player's context
//   describe             describe into three buffers of kTextRoom bytes
//   caps                 capabilities with the player's property set
//   others               operations 6, 7, 9 and 10
//   activate F           activate with the flag
//   window N             set window: window 1 or 2, 0 for none
//   badwindow            set window with a handle that is not a window
//   nullwindow           set window with a null address
//   audio N              N audio data records of known content, 20 ms apart
//   nullaudio            audio with a null record
//   destroy N            window N destroys itself on its thread
//   hang MS              the main thread stops running messages for MS milliseconds
//   framehang MS         the engine's next frame holds the windows' thread for MS milliseconds
//                        (the reference engine's controls, in this process), so that the
//                        thread stops inside the plug-in's own frame
//   wait MS              the step thread sleeps
//   state                waits until the windows' thread answers, then journals both windows:
//                        whether the thread answered, whether the window runs the player's own
//                        procedure, its user data and its pixel at (2, 12), inside the part
//                        the engine draws
//   release              the object's release
#pragma once

#include <cstdint>

#include "players/shared/StandInJournal.h"

namespace realplayer_standin {

constexpr wchar_t kWindowClass[] = L"RealPlayer Stand-in";
constexpr int32_t kClientWidth = 320;
constexpr int32_t kClientHeight = 240;
constexpr intptr_t kWindowUserData = 0x7E57;
constexpr int kTextRoom = 256;

// The audio records' content: waveform sample i of channel c, spectrum value i of channel c.
constexpr int8_t WaveformValue(int c, int i) {
  return int8_t((i * 5 + c * 30) % 160 - 80);
}
constexpr uint8_t SpectrumValue(int c, int i) {
  return uint8_t((i * 2 + c) % 256);
}

// Exit codes.
constexpr int kExitNormal = 0;
constexpr int kExitNoPlugin = 2;  // 1: a bad setup (players/shared/StandInMain.h)

// Journal calls.
namespace call {
constexpr char kStarted[] = "Started";            // window1, window2, thread (the windows' thread)
inline constexpr auto& kLoadLibrary = standin::kLoadLibraryCall;  // path, module, error
constexpr char kCreate[] = "Create";              // result, object, thread
constexpr char kQuery[] = "Query";                // interface, result, same (1: the object itself)
constexpr char kInitialise[] = "Initialise";      // result
constexpr char kContextQuery[] = "ContextQuery";  // known (1: the context service), result
constexpr char kServiceRelease[] = "ServiceRelease";  // left (references left)
constexpr char kDescribe[] = "Describe";              // result, product, maker, address
constexpr char kCapabilities[] = "Capabilities";      // result, value, flag
constexpr char kProperty[] = "Property";              // name, value
constexpr char kOperation[] = "Operation";            // index, result
constexpr char kActivate[] = "Activate";              // on, result
constexpr char kSetWindow[] = "SetWindow";            // which, result, ms (time the call took)
constexpr char kAudio[] = "Audio";                    // count, result
constexpr char kDestroyed[] = "Destroyed";            // window, result (on the window's thread)
constexpr char kHang[] = "Hang";                      // ms (main thread, before it stops)
constexpr char kFrameHang[] = "FrameHang";            // ms (the engine's next frame will pause)
constexpr char kState[] = "State";      // which, exists, responsive, own, userData, pixel
constexpr char kRelease[] = "Release";  // left
inline constexpr auto& kExit = standin::kExitCall;  // reason, code
}  // namespace call

}  // namespace realplayer_standin
