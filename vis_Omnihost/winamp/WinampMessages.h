// The messages a Winamp visualization plug-in sends its player's main window: all are
// WM_USER, with the command number in lParam and its argument in wParam.
#pragma once

#include <cstdint>

namespace winamp {

constexpr uint32_t kPlayerMessage = 0x0400;  // WM_USER

namespace command {
constexpr intptr_t kVersion = 0;                  // answer: the player's version
constexpr intptr_t kTrackLength = 105;            // wParam 1; answer: seconds, below 0 for a stream
constexpr intptr_t kPlaylistPosition = 125;       // answer: position
constexpr intptr_t kPlaylistTitle = 212;          // wParam position; answer: 8-bit text
constexpr intptr_t kPlaylistTitleWide = 213;      // wParam position; answer: UTF-16 text or 0
constexpr intptr_t kEmbedFunction = 505;          // answer: EmbedFunction or 0
constexpr intptr_t kVisualizationWindow = 611;    // wParam: our window, 0 when it goes
constexpr intptr_t kVisualizationStarted = 628;   // the engine took our window
constexpr intptr_t kFullscreen = 631;             // wParam: fullscreen flag
constexpr intptr_t kServiceInterface = 3025;      // answer: ServiceObject*, 0 or 1 for none
constexpr intptr_t kExtendedFileInfo = 3026;      // wParam: ExtendedFileInfoQuery*
constexpr intptr_t kPlayingFileName = 3031;       // answer: UTF-16 text (sent with SendMessageW)
constexpr intptr_t kPlayingTitle = 3034;          // answer: UTF-16 text
// Extended players (jetAudio, MediaMonkey) only.
constexpr intptr_t kExtendedTitle = 9990;         // answer: UTF-16 text
constexpr intptr_t kExtendedArtist = 9991;        // answer: UTF-16 text
constexpr intptr_t kExtendedAlbum = 9992;         // answer: UTF-16 text
constexpr intptr_t kExtendedAlbumBitmap = 9995;   // answer: HBITMAP or 0
constexpr intptr_t kExtendedAlbumArtPath = 9996;  // MediaMonkey only; answer: UTF-16 path
}  // namespace command

// The version answer by which MediaMonkey makes itself known.
constexpr intptr_t kMediaMonkeyVersion = 39387;

// Visualization menu commands that arrive at our window as WM_COMMAND.
namespace menu {
constexpr uint16_t kNextConfig = 40382;
constexpr uint16_t kPreviousConfig = 40383;
constexpr uint16_t kRandomConfig = 40384;
constexpr uint16_t kFullscreen = 40389;
constexpr uint16_t kToggleMenu = 40391;
}  // namespace menu

}  // namespace winamp
