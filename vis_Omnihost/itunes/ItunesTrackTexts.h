// What the engine is told about the playing item: title, artist, album and year, chosen from
// iTunes' track and stream records.
//
// A radio stream names itself by its stream title; the album line then carries the track name
// iTunes gives the station, else the stream's message, else its address. A plain track is
// titled by its name, or by its file name when it has none.
#pragma once

#include <cstdint>

#include "utility/UtilStr.h"
#include "vis_Omnihost/itunes/ItunesRecords.h"

namespace itunes {

struct TrackTexts {
  UtilStr title;
  UtilStr artist;
  UtilStr album;
  int32_t year = 0;
};

// The texts of the two records (either may be all zero).
TrackTexts ChooseTrackTexts(const TrackInfo& track, const StreamInfo& stream);

// The UTF-8 form of one of iTunes' counted strings; a count above 255 is taken as 255.
UtilStr StringText(const String255& text);

}  // namespace itunes
