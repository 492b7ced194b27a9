// The pieces of a track's metadata that need no player: the artist list, the year, the cover
// file names tried next to the media file, and the copying of UTF-16 texts into the engine's
// track record.
#pragma once

#include <cstdint>

#include "utility/UtilStr.h"
#include "visualhost/engine/EngineRecords.h"

namespace wmp {

// Artists in the order the player's attributes are read; a name already in the list (letters
// compared without regard to case) or an empty one is not added again.
class ArtistList {
 public:
  static constexpr int kMostArtists = 8;
  void Add(const UtilStr& name);
  // The names joined with " / ".
  UtilStr Joined() const;
  int Count() const { return mCount; }

 private:
  UtilStr mNames[kMostArtists];
  int mCount = 0;
};

// A year attribute's text: its number, 0 when it holds none.
int32_t YearFromText(const UtilStr& text);

// Copies at most 255 UTF-16 units of the zero-terminated text (null: none) into a field of the
// track record, zero-terminated; returns the units copied.
int32_t CopyTrackField(char16_t (&field)[TrackRecord::kTextUnits], const char16_t* text);

// Cover files tried next to the media file, in order.
constexpr int kCoverNameCount = 5;
// The first name to try: the album-identifier names only for an identifier of more than two
// characters that names no path (separators or a drive colon would lead the search out of the
// media's folder), otherwise "Folder.jpg".
int CoverSearchStart(const UtilStr& albumId);
// The file name of candidate `index` with the identifier in place of "%s".
UtilStr CoverFileName(int index, const UtilStr& albumId);

}  // namespace wmp
