// How a test steers the stand-in VirtualDJ 8 (VirtualDjStandIn.exe) and what the player
// journals. Shared by the player and the tests that run it.
//
// Setup: the common settings of players/shared/StandInSetup.h (journal, plugin, maxMs, steps).
//
// The player makes a window of kClientWidth by kClientHeight and a windowed Direct3D 9 device
// on it with a back buffer of that size, loads the plug-in and runs the steps on its one thread,
// as VirtualDJ's drawing thread; the window's messages run between steps. Its video callbacks
// hand out that device for the Direct3D 9 engine kind (1). It ends with exit code 0 (1 for a bad
// setup, 2 when the plug-in, its export or a device could not be had). Steps (numbers decimal):
//   ids                  DllGetClassObject with each pair of kRefusedIds and with a null result
//                        pointer for VirtualDJ's own pair
//   create               DllGetClassObject with VirtualDJ's pair; the player then writes its
//                        fields into the object (module, callbacks, sample rate 44100, output
//                        size, video callbacks)
//   load, start, stop, deviceinit, deviceclose, release
//                        the operation of that name
//   info F               plug-in information with F as the record's flags on the way in
//   nullinfo             plug-in information with a null record
//   others               parameter changed, parameter text and user interface
//   viewport W H         the device's viewport becomes W by H (at most the back buffer)
//   device K             what the video callbacks hand out from now on: 1 the device, 2 an object
//                        whose GetViewport fails, 0 nothing (answer E_FAIL)
//   draw                 clears the render target to kFillColour, then begin scene, draw, end
//                        scene; journals the operation's answer and the render target's pixel
//   audio N              N stereo frames of the tone (ToneLeft/ToneRight), continuing it
//   nullaudio            audio samples with a null buffer and with a negative count
//   down X Y M, up X Y M, move X Y M
//                        the input-event object's mouse operations with VirtualDJ's modifiers M
//   key VK M SCAN        the input-event object's key operation
//   play N               N rounds of kSampleRate / kPlayRate frames of audio, a draw (whose
//                        journal line has no pixel) and a wait
//                        of the rest of the round, as VirtualDJ plays at kPlayRate frames a
//                        second
//   skin                 reads the plug-in's skin resources back and journals them
//   wait MS              lets the window's messages run for MS milliseconds (presenting)
#pragma once

#include <cmath>
#include <cstdint>

#include "players/shared/StandInJournal.h"
#include "vis_Omnihost/virtualdj/VirtualDjRecords.h"

namespace virtualdj_standin {

constexpr wchar_t kWindowClass[] = L"VirtualDJ Stand-in";
constexpr int32_t kClientWidth = 640;
constexpr int32_t kClientHeight = 480;
constexpr int32_t kSampleRate = 44100;
constexpr int32_t kPlayRate = 30;
// The render target's colour before each draw, 0xRRGGBB.
constexpr uint32_t kFillColour = 0x102030;

// Identifier pairs that are not VirtualDJ 8's video effect and must be refused.
struct IdPair {
  const char* name;
  virtualdj::Guid classId;
  virtualdj::Guid interfaceId;
};
constexpr virtualdj::Guid kOtherId = {
    0x12345678, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};
// VirtualDJ 8's basic plug-in interface and its video transition interface.
constexpr virtualdj::Guid kBasicInterface = {
    0xA1D90EA1, 0x4D0D, 0x42DD, {0xA4, 0xD0, 0xB8, 0xF3, 0x37, 0xB3, 0x21, 0xF1}};
constexpr virtualdj::Guid kTransitionInterface = {
    0x2F350983, 0xF88F, 0x429C, {0x87, 0x75, 0x62, 0x87, 0x68, 0x7D, 0xE0, 0xD7}};
constexpr IdPair kRefusedIds[] = {
    {"other class", kOtherId, virtualdj::kVideoEffectInterface},
    {"basic interface", virtualdj::kPluginClass, kBasicInterface},
    {"transition interface", virtualdj::kPluginClass, kTransitionInterface},
    {"swapped", virtualdj::kVideoEffectInterface, virtualdj::kPluginClass},
};

// The tone: its frequency as the plug-in analyses the samples (at its analysis rate), and the
// two channels of frame i, whose mean is ToneMono(i).
constexpr double kToneHz = 980.0;
constexpr double kToneAnalysisRate = 22050.0;
inline float ToneMono(int64_t frame) {
  return float(
      0.5 * std::sin(2.0 * 3.14159265358979323846 * kToneHz * double(frame) / kToneAnalysisRate));
}
inline float ToneLeft(int64_t frame) {
  return 1.5f * ToneMono(frame);
}
inline float ToneRight(int64_t frame) {
  return 0.5f * ToneMono(frame);
}

// Exit codes.
constexpr int kExitNormal = 0;
constexpr int kExitNoPlugin = 2;  // 1: a bad setup (players/shared/StandInMain.h)

// Journal calls.
namespace call {
constexpr char kStarted[] = "Started";          // window, device (address), width, height
inline constexpr auto& kLoadLibrary = standin::kLoadLibraryCall;  // path, module, error
constexpr char kIds[] = "Ids";                  // name, result, written (the result pointer)
constexpr char kCreate[] = "Create";            // result, object
constexpr char kOperation[] = "Operation";      // name, result
// result, name, author, description, version (texts, "" for null), flags, events (address),
// given (the flags given)
constexpr char kInfo[] = "Info";
constexpr char kGetDevice[] = "GetDevice";            // engine, kind (as the device step), answer
constexpr char kViewport[] = "Viewport";              // width, height, result
constexpr char kFailedViewport[] = "FailedViewport";  // a GetViewport of the failing object
constexpr char kDraw[] = "Draw";    // result, pixel (0xRRGGBB at (1, 1)), drawn (pixel changed)
constexpr char kAudio[] = "Audio";  // frames, result, newestMicro (the newest mono value fed)
constexpr char kMouse[] = "Mouse";  // kind (move, down, up), x, y, modifiers, answer
constexpr char kKey[] = "Key";      // virtualKey, modifiers, scanCode
// found, bytes, parsed, name, version, width, height, first (the first child's element),
// copyright (its text), controls
constexpr char kSkinXml[] = "SkinXml";
// control (index), element, action, action2, orientation, direction, direction2, tooltip, x, y,
// width, height
constexpr char kSkinControl[] = "SkinControl";
constexpr char kSkinImage[] = "SkinImage";  // found, bytes, decoded, width, height
// control (index), element, action, state (the state element or clipmask, fader), x, y,
// width, height (in the picture), inside (1: within the picture), painted (1: some pixel of it
// is not transparent)
constexpr char kSkinState[] = "SkinState";
inline constexpr auto& kExit = standin::kExitCall;  // reason, code
}  // namespace call

}  // namespace virtualdj_standin
