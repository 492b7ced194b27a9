// The texts of one track in the forms the player hands out: UTF-16 for the wide messages and
// the system's 8-bit code page for message 212. A plug-in may read a text some time after the
// message that gave it, so the player keeps every TrackTexts it made until it ends.
#pragma once

#include <string>

#include "players/winamp/Track.h"

namespace winamp_standin {

class TrackTexts {
 public:
  // With longTitle, every title is padded to kLongTitleUnits units.
  TrackTexts(const Track& track, bool longTitle);

  const std::u16string& file() const { return mFile; }
  const std::u16string& title() const { return mTitle; }
  const std::u16string& playlist() const { return mPlaylist; }
  const std::string& playlist8() const { return mPlaylist8; }
  const std::u16string& extTitle() const { return mExtTitle; }
  const std::u16string& extArtist() const { return mExtArtist; }
  const std::u16string& extAlbum() const { return mExtAlbum; }
  const std::u16string& artPath() const { return mArtPath; }
  // The extended file information field (3026) by name; null for an unknown name or one the
  // track does not have.
  const std::u16string* Info(const std::u16string& field) const;

 private:
  std::u16string mFile, mTitle, mPlaylist, mExtTitle, mExtArtist, mExtAlbum, mArtPath;
  std::u16string mInfoArtist, mInfoAlbum, mInfoTitle, mInfoYear;
  std::string mPlaylist8;
};

std::u16string Utf16(const std::string& utf8);

}  // namespace winamp_standin
