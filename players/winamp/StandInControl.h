// How a test steers the stand-in Winamp-type player (WinampStandIn.exe) and what the player
// writes in its journal. Shared by the player and the tests that run it.
//
// Setup: the command line after the program's path is value text (utility/SettingsTable.h:
// statements `key = value`, texts in double quotes with C escapes):
//   journal = "<path>"     the player's journal file, appended to (required)
//   maxMs = 20000          the player ends by itself after this many milliseconds
//   plugin = "<path>"      the plug-in library; default Plugins\vis_Omnihost.dll beside the exe
//   mode = winamp          winamp, jetaudio (answers 9990-9995) or mediamonkey (version 39387,
//                          answers 9990-9996)
//   embed = top            what 505 leads to: a top-level frame, a child frame of the main
//                          window, or none (505 answers 0)
//   audio = tones          what Render is given: tones, silence or pattern (see AudioData.h)
//   renderMs = <delay>     period of the Render calls; default the module's delay
//   autoInit = 1           0: the visualization thread waits for an Init command
//   services = full        3025 answers the service interface, 0 (none) or 1 (one)
//   artService = pixels    the album-art service gives pixels, reports success without pixels
//                          (noPixels), reports failure (fails), or is not offered (absent)
//   bitmap = picture       9995 answers a new bitmap of the known picture, 0 (none), or a
//                          handle of another kind of object (notBitmap)
//   nullTexts = 0          1: every text message answers a null pointer
//   longTitle = 0          1: every title the track has is lengthened with digits to
//                          kLongTitleUnits units
//   and the track fields below, for the track playing at the start.
//
// Run-time commands: WM_COPYDATA to the player's main window (class kMainWindowClass) with
// dwData kCommandTag and as data the UTF-8 value text of one command, `do = <verb>` and the
// verb's fields. The player answers TRUE when it took the command, journals it as "Command"
// when it carries it out, and carries it out after the message returns.
//   Track       changes the fields given (below); the others stay
//   Render      on = 0 | 1: stop or resume the Render calls
//   RenderOnce  one Render call now, whatever the state
//   Init, Config, Quit   calls the module function on the visualization thread
//   Menu        id = <command>: WM_COMMAND posted to the plug-in's window (learned from 611)
//   Key         vk = <virtual key>, holdMs = 0, sys = 0: WM_KEYDOWN posted to the plug-in's
//               window, WM_KEYUP holdMs later (WM_SYSKEYDOWN/UP with sys = 1)
//   MoveFrame   left, top, right, bottom: places the frame (or, without one, the plug-in's
//               window)
//   Close       WM_CLOSE to the frame (which hands it to the plug-in's window inside it), or
//               without a frame to the plug-in's window
//   Probe       journals the plug-in's window: style, parent, owner, size, and pixels read
//               back from it as 0xRRGGBB: the one at (2, 2), the centre one, and how many
//               colours a 16 by 16 grid of samples holds
//   Exit        Quit when the module runs, then the program ends with exit code 0
//
// Track fields: position, length (seconds, below 0 for a stream), file (3031), title (3034),
// playlist (212 and 213), info.artist, info.album, info.title, info.year (3026), ext.title,
// ext.artist, ext.album (9990-9992), artPath (9996).
//
// The journal: one line per call and message, `<call> key=value key="text"` as the reference
// engine writes them (testsupport/win/RefEngineJournal.h reads both), each ending with ms=<the
// system's millisecond tick count>. What the player did not expect is journaled as
// kUnexpected, so a test fails on it.
#pragma once

#include <cstdint>

#include "players/shared/StandInJournal.h"

namespace winamp_standin {

constexpr wchar_t kMainWindowClass[] = L"Winamp v1.x";
constexpr wchar_t kFrameWindowClass[] = L"Winamp Stand-in Frame";
constexpr uintptr_t kCommandTag = 0x57534943;  // 'WSIC'
constexpr int kLongTitleUnits = 10000;

// Version answers of the three modes.
constexpr intptr_t kWinampVersion = 0x5666;
constexpr intptr_t kJetAudioVersion = 0x5080;

// Journal calls.
namespace call {
constexpr char kStarted[] = "Started";          // window, mode, embed
inline constexpr auto& kLoadLibrary = standin::kLoadLibraryCall;  // path, module, error
constexpr char kHeader[] = "Header";            // version, description
constexpr char kModule[] = "Module";            // index, module, description, delay, ...
constexpr char kInit[] = "Init";                // result
constexpr char kRender[] = "Render";            // count, result
constexpr char kConfig[] = "Config";
constexpr char kQuit[] = "Quit";
constexpr char kMessage[] = "Message";        // command, wparam, answer, text, ...
constexpr char kEmbed[] = "Embed";            // flags, left, top, right, bottom, frame
constexpr char kFrameRect[] = "FrameRect";    // frame, left, top, right, bottom
constexpr char kFrameClose[] = "FrameClose";  // frame, inside (the window it hands WM_CLOSE)
constexpr char kFrameDestroyed[] = "FrameDestroyed";  // frame, left, top, right, bottom
constexpr char kService[] = "Service";                // service, dispatch, ...
constexpr char kMemoryFree[] = "MemoryFree";          // pointer, known
constexpr char kAlbumArt[] = "AlbumArt";              // file, type, width, height, pixels, answer
constexpr char kBitmapDeleted[] = "BitmapDeleted";    // handle
constexpr char kBitmapAtEnd[] = "BitmapAtEnd";        // handle, deleted
constexpr char kPixelsAtEnd[] = "PixelsAtEnd";        // outstanding
constexpr char kPostedKey[] = "PostedKey";            // message, wparam, lparam
constexpr char kCommand[] = "Command";                // do, and the command's fields
constexpr char kKeySent[] = "KeySent";                // message, vk, lparam, window
constexpr char kMenuSent[] = "MenuSent";              // id, window
constexpr char kProbe[] = "Probe";
constexpr char kQuitMessage[] = "QuitMessage";  // the visualization thread got WM_QUIT
constexpr char kExit[] = "Exit";                // reason, code
constexpr char kUnexpected[] = "Unexpected";    // what, and details
}  // namespace call

}  // namespace winamp_standin
