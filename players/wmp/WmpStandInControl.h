// How a test or a script steers the stand-in Media Player (WmpStandIn.exe) and what the player
// journals. Shared by the player and the tests that run it.
//
// The player finds its effects as the real one does: every key under
// HKLM\SOFTWARE\Microsoft\MediaPlayer\Objects\Effects whose Properties value "classid" holds a
// class identifier, in the registry view of the player's own width. At its start it creates the
// effect (the first one found, or the one `effect` counts to) with CoCreateInstance in a
// single-threaded apartment and asks it for IWMPEffects2. Run as "ehshell.exe" (a copy of the
// program under that name) it is Media Center; nothing else changes in the player.
//
// Setup (players/shared/StandInSetup.h): journal, maxMs, steps, and
//   effect = 0        which of the effects found to create, counted from 0
//   amplitude = 60    the levels' waveform swings this far around silence (128)
//   band = 100        every frequency bin of the levels holds this
// Steps, run in order on the player's thread with its messages dispatched between them:
//   core              SetCore with the player's core (playing, a track with attributes and a
//                     picture, a connection point for IWMPEvents)
//   window            Create with the player's effect window (a child of its "WMPlayerApp"
//                     main window)
//   render n          n frames of the player's loop: RenderWindowed (RenderFullScreen while
//                     fullscreen) with the levels, then the window's messages for a frame's time
//   bars              a layered "WMP Skin Host" bar window along the bottom of the effect window
//   altenter          the user's Alt+Enter on the main window: the player toggles fullscreen
//   play, pause, stop the play state, with PlayStateChange to the effect
//   seek              PositionChange to the effect
//   media             a new current track, with MediaChange to the effect
//   notify            NotifyNewMedia with the current track
//   key vk            WM_KEYDOWN of the virtual key to the effect window
//   destroy           Destroy
//   uncore            SetCore with null
//   release           the player's last Release of the effect
//   wait ms           messages only; journaled as Waited with the pump frames so far
// At the end the player gives back whatever it still holds, in its own order: Destroy when a
// window was given, SetCore(null) when a core was, the effect's Release, its own core, then
// CoFreeUnusedLibraries and CoUninitialize.
//
// Exit codes: 0 after the steps (or the deadline), 1 for a bad setup, 2 when no effect could be
// found or created.
#pragma once

#include <cstdint>

#include "players/shared/StandInJournal.h"

namespace wmp_standin {

constexpr wchar_t kMainClass[] = L"WMPlayerApp";
constexpr wchar_t kEffectClass[] = L"WMP Effect Window";
constexpr wchar_t kBarClass[] = L"WMP Skin Host";
constexpr char kEffectsKey[] = "SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects";

// The effect window's client area in the main window, and the bar's height.
constexpr int kEffectLeft = 10;
constexpr int kEffectTop = 10;
constexpr int kEffectWidth = 640;
constexpr int kEffectHeight = 360;
constexpr int kBarHeight = 60;
// One frame of the player's loop.
constexpr int kFrameMs = 15;

constexpr int kExitNormal = 0;
constexpr int kExitNoEffect = 2;  // 1: a bad setup (players/shared/StandInMain.h)

// Journal calls.
namespace call {
constexpr char kStarted[] = "Started";    // main, effectWindow, mediaCenter (1 as ehshell.exe)
constexpr char kEffectFound[] = "EffectFound";  // key, classid (one line per registered effect)
constexpr char kCreated[] = "Created";    // key, classid, result, effects2 (result of the query)
constexpr char kSetCore[] = "SetCore";    // core (1, or 0 for null), result
constexpr char kCreate[] = "Create";      // window, result
// index (counted over the run), fullscreen, result, pumps (pump messages the effect handled
// so far)
constexpr char kFrame[] = "Frame";
constexpr char kWaited[] = "Waited";  // ms, pumps (pump messages the effect handled so far)
constexpr char kBars[] = "Bars";          // window, left, top, right, bottom (screen)
// on, via ("user" or "effect": whose Alt+Enter), go (GoFullscreen's result), create, window
constexpr char kFullscreen[] = "Fullscreen";
constexpr char kEvent[] = "Event";        // name, sent (0 without an advised sink)
constexpr char kNotify[] = "Notify";      // result
constexpr char kKey[] = "Key";            // vk, handled (1 when OnWindowMessage took it)
constexpr char kDestroy[] = "Destroy";    // result
constexpr char kReleased[] = "Released";  // left (the effect's answer to the last Release)
// outstanding (references the effect still holds on the core's objects), and the core's calls:
// playState, currentMedia, advise, unadvise
constexpr char kCore[] = "Core";
constexpr char kUninitialized[] = "Uninitialized";  // moduleLoaded (the effect's module)
inline constexpr auto& kExit = standin::kExitCall;  // reason, code
}  // namespace call

}  // namespace wmp_standin
