#include "vis_Omnihost/itunes/ItunesTrackTexts.h"

#include "utility/TextFunctions.h"

namespace itunes {

namespace {

constexpr int32_t kLongestString = kStringUnits - 1;
// Every UTF-16 unit becomes at most three bytes of UTF-8.
constexpr int32_t kLongestUtf8 = kLongestString * 3;

bool Has(uint32_t fields, uint32_t bit) {
  return (fields & bit) != 0;
}

}  // namespace

UtilStr StringText(const String255& text) {
  int32_t units = text[0];
  if (units > kLongestString) units = kLongestString;
  char utf8[kLongestUtf8];
  const int32_t bytes = Utf16ToUtf8(&text[1], units, utf8, kLongestUtf8);
  return UtilStr(utf8, bytes > 0 ? bytes : 0);
}

TrackTexts ChooseTrackTexts(const TrackInfo& track, const StreamInfo& stream) {
  TrackTexts texts;
  const uint32_t fields = track.validFields;
  const bool named = Has(fields, track_field::kName);
  if (stream.validFields != 0 && (stream.url[0] != 0 || stream.title[0] != 0)) {
    texts.title = StringText(stream.title);
    if (named) texts.album = StringText(track.name);
    if (texts.album.Length() == 0) texts.album = StringText(stream.message);
    if (texts.album.Length() == 0) texts.album = StringText(stream.url);
  }
  if (texts.title.Length() == 0 && named) texts.title = StringText(track.name);
  if (texts.title.Length() == 0 && Has(fields, track_field::kFileName)) {
    texts.title = StringText(track.fileName);
  }
  if (Has(fields, track_field::kArtist)) texts.artist = StringText(track.artist);
  if (texts.album.Length() == 0 && Has(fields, track_field::kAlbum)) {
    texts.album = StringText(track.album);
  }
  texts.year = track.year;
  return texts;
}

}  // namespace itunes
