// The Winamp host's track data: noticing a change of track or stream title, and telling the
// engine title, artist, album and year once the change has settled.
#include <cstring>

#include "utility/MillisecondClock.h"
#include "utility/TextFunctions.h"
#include "utility/TextRules.h"
#include "vis_Omnihost/winamp/PlaylistTitle.h"
#include "vis_Omnihost/winamp/WinampMessages.h"
#include "vis_Omnihost/winamp/win/PlayerText.h"
#include "vis_Omnihost/winamp/win/WinampHost.h"

namespace winamp {

namespace {

// One field of a file's extended information (message 3026); empty when the player has none.
UtilStr FileInformation(HWND player, const char16_t* file, const char16_t* field) {
  char16_t result[kExtendedInfoResultUnits] = {};
  ExtendedFileInfoQuery query = {file, field, result, kExtendedInfoResultUnits};
  SendMessageA(player, kPlayerMessage, reinterpret_cast<WPARAM>(&query), command::kExtendedFileInfo);
  // A player that fills the buffer to the brim leaves no terminator.
  result[kExtendedInfoResultUnits - 1] = 0;
  return TextFromWide(result);
}

}  // namespace

void WinampHost::Poll() {
  const auto position = static_cast<int32_t>(SendPlayer(command::kPlaylistPosition));
  const auto length = static_cast<int32_t>(SendPlayer(command::kTrackLength, 1));
  const bool changed = position != mPlaylistPosition || length != mTrackLength;
  mPlaylistPosition = position;
  mTrackLength = length;
  if (length < 0 && mStreamTitle != nullptr) {
    // A stream: the track changes when its title does.
    const auto* answer = reinterpret_cast<const char16_t*>(SendPlayer(command::kPlayingTitle));
    const char16_t* title = answer != nullptr ? answer : u"";
    const int32_t units = text_rules::BoundedLength(title, kStreamTitleUnits - 1);
    const bool same = text_rules::BoundedLength(mStreamTitle.get(), kStreamTitleUnits) == units &&
                      std::memcmp(mStreamTitle.get(), title, units * sizeof(char16_t)) == 0;
    if (!same) {
      std::memcpy(mStreamTitle.get(), title, units * sizeof(char16_t));
      mStreamTitle[units] = 0;
      mChangePending = true;
      mChangeTimeMs = NowMs();
      return;
    }
  }
  if (changed) {
    mChangePending = true;
    mChangeTimeMs = NowMs();
  }
}

void WinampHost::PublishTrack() {
  UtilStr title;
  UtilStr artist;
  UtilStr album;
  int32_t year = 0;
  if (mKind.extended) {
    title = TextFromWide(reinterpret_cast<const char16_t*>(SendPlayer(command::kExtendedTitle)));
    artist = TextFromWide(reinterpret_cast<const char16_t*>(SendPlayer(command::kExtendedArtist)));
    album = TextFromWide(reinterpret_cast<const char16_t*>(SendPlayer(command::kExtendedAlbum)));
  } else {
    const auto* file = reinterpret_cast<const char16_t*>(
        SendMessageW(mPlayer, kPlayerMessage, 0, command::kPlayingFileName));
    if (file != nullptr) {
      artist = FileInformation(mPlayer, file, u"artist");
      const UtilStr yearText = FileInformation(mPlayer, file, u"year");
      year = ParseInt32(yearText.Text(), yearText.Length());
      album = FileInformation(mPlayer, file, u"album");
      title = FileInformation(mPlayer, file, u"title");
    }
  }
  if (title.IsEmpty() && artist.IsEmpty()) {
    const WPARAM position = static_cast<WPARAM>(mPlaylistPosition);
    UtilStr entry = TextFromWide(
        reinterpret_cast<const char16_t*>(SendPlayer(command::kPlaylistTitleWide, position)));
    if (entry.IsEmpty()) {
      entry = TextFromAnsi(
          reinterpret_cast<const char*>(SendPlayer(command::kPlaylistTitle, position)));
    }
    SplitPlaylistTitle(entry, &artist, &title);
  }
  SendTrackInfo(title, artist, album, year);
}

}  // namespace winamp
