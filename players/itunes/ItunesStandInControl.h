// How a test steers the stand-in iTunes (ItunesStandIn.exe) and what the player journals.
// Shared by the player and the tests that run it.
//
// Setup: the common settings of players/shared/StandInSetup.h (journal, plugin, maxMs, steps)
// and
//   sful = 0             what the player answers the plug-in's 'sful' messages
//   regv = 0             what the player answers the plug-in's 'regv' message
//
// The player makes a view window of its own (kViewWidth by kViewHeight, client area) on its one
// thread, runs the steps on that thread and lets the window's messages run between them, as
// iTunes calls its plug-ins on its main thread. It ends with exit code 0 (1 for a bad setup, 2
// when the plug-in or its iTunesPluginMain could not be had). Steps (numbers decimal):
//   init                 iTunesPluginMain 'init' with the player's application callback
//   main N               iTunesPluginMain with main code N of kMainCodes
//   nullinit             iTunesPluginMain 'init' with no message
//   hinit                the handler's 'init' (the handler 'regv' named, the reference iTunes
//                        keeps: null at first, then what the plug-in stored)
//   show F               'Vact' with the view window, F the fullscreen bit
//   hide                 'Vdct'
//   draw N               N 'Vdrw' in a row; journals how long they took
//   pulse S              'Vpls' with pulse data of seed S (PulseWaveform, PulseSpectrum)
//   nopulse              'Vpls' without pulse data
//   play T, ctrk T       'Vply' or 'Ctrk' with the records of track case T (kTrackCases)
//   art                  'Vart' with the bytes of a kCoverWidth by kCoverHeight PNG file
//   noart                'Vart' without cover data
//   send N               the handler's message N of kPlainCodes (no record)
//   move F               'Vmov' with the fullscreen bit F
//   nullmsg N            the handler's message N of kRecordCodes with no message
//   key C                the view window gets WM_CHAR C (sent, through whatever procedure
//                        it runs)
//   monitor              the view window becomes a borderless window exactly as large as its
//                        monitor
//   destroy              destroys the view window
//   state                journals the view window: whether it exists, whether it runs the
//                        player's own procedure, and its pixel at kBarPoint
//   wait MS              lets the window's messages run for MS milliseconds
#pragma once

#include <cstdint>

#include "players/shared/StandInJournal.h"

namespace itunes_standin {

constexpr wchar_t kWindowClass[] = L"iTunes Stand-in View";
constexpr int32_t kViewWidth = 400;
constexpr int32_t kViewHeight = 300;
constexpr int32_t kCoverWidth = 40;
constexpr int32_t kCoverHeight = 30;
// Inside the engine's first spectrum bar, below the middle where its waveform runs: the bar's
// colour while the spectrum is loud, the background in silence.
constexpr int32_t kBarPointX = 4;
constexpr int32_t kBarPointY = kViewHeight * 3 / 4;

// The pulse data of seed S: a waveform that stays near silence (so that the engine's wave line
// stays in the middle of the picture) and a loud spectrum. Seeds give different waveforms.
constexpr uint8_t PulseWaveform(int seed, int channel, int i) {
  return uint8_t(128 + ((i * 7 + seed * 13 + channel * 5) % 9) - 4);
}
constexpr uint8_t PulseSpectrum(int seed, int channel, int i) {
  return uint8_t(200 + (i + seed + channel) % 50);
}

// Codes as four-character text.
constexpr const char* kMainCodes[] = {"init", "clr ", "prqt", "zzzz"};
constexpr const char* kPlainCodes[] = {"Vdrw", "Vdct", "Vfrm", "voff", "von ", "null", "vpau",
                                       "vstp", "vunp", "cnfg", "dchn", "setp", "sful", "clr ",
                                       "zzzz"};
constexpr const char* kRecordCodes[] = {"init", "Vact", "Vmov", "Vpls", "Vply", "Ctrk", "Vart"};

// The track and stream records of a play step. Texts are ASCII; a null text leaves the field
// empty. longName: the name's length unit says 300 and all 255 characters are 'n'.
struct TrackCase {
  bool track;  // false: no track record
  uint32_t trackFields;
  const char* name;
  const char* fileName;
  const char* artist;
  const char* album;
  uint16_t year;
  bool stream;  // false: no stream record
  uint32_t streamFields;
  const char* streamTitle;
  const char* url;
  const char* message;
  bool longName;
};
constexpr TrackCase kTrackCases[] = {
    {true, 15, "Blue Hour", "blue_hour.m4a", "Ada Lane", "Night Drives", 2019, false, 0,
     nullptr, nullptr, nullptr, false},
    {true, 2, nullptr, "track07.mp3", nullptr, "Not Valid", 0, true, 0, "Not a stream",
     nullptr, nullptr, false},
    {false, 0, nullptr, nullptr, nullptr, nullptr, 0, true, 1, "Radio Glow",
     "http://radio.example/glow", "Live from the coast", false},
    {true, 4, "Not Valid", nullptr, "Host Voice", nullptr, 0, true, 1, "Radio Glow",
     "http://radio.example/glow", nullptr, false},
    {true, 9, "Station Name", nullptr, nullptr, "Station Album", 0, true, 1, "Radio Glow",
     "http://radio.example/glow", "Live", false},
    {true, 1, nullptr, nullptr, nullptr, nullptr, 0, false, 0, nullptr, nullptr, nullptr, true},
};

// Exit codes.
constexpr int kExitNormal = 0;
constexpr int kExitNoPlugin = 2;  // 1: a bad setup (players/shared/StandInMain.h)

// Journal calls.
namespace call {
constexpr char kStarted[] = "Started";          // window
inline constexpr auto& kLoadLibrary = standin::kLoadLibraryCall;  // path, module, error
constexpr char kMain[] = "Main";                // code, result
// What the plug-in registered: major, minor, size, name, options, creator, version, handler,
// reference, pulseRate, waveformChannels, spectrumChannels, minWidth, minHeight, maxWidth,
// maxHeight
constexpr char kRegister[] = "Register";
// A message of the plug-in to the player other than 'regv': code, answer, major, minor, size,
// fullscreen ('sful' only), zeroTail (1: every byte after its own fields is zero)
constexpr char kPlayerCall[] = "PlayerCall";
// A handler call: code, result; after 'init' also reference (what the plug-in stored);
// after 'Vpls' rate (the pulse rate it wrote); after 'Vdrw' steps: count and ms (the time
// all of them took)
constexpr char kHandler[] = "Handler";
constexpr char kDestroyed[] = "Destroyed";  // result
// The view window's own procedure got WM_DESTROY: own (1: the window ran the player's
// procedure again by then)
constexpr char kViewDestroy[] = "ViewDestroy";
constexpr char kMonitor[] = "Monitor";      // width, height (the view window's client area now)
// exists, own (1: the player's procedure), bar (0xRRGGBB at kBarPoint, -1: none)
constexpr char kState[] = "State";
inline constexpr auto& kExit = standin::kExitCall;  // reason, code
}  // namespace call

}  // namespace itunes_standin
