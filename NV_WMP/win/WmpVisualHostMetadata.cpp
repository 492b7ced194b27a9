// The track record and cover of WmpVisualHost, read from the player's media item.
#include <windows.h>
#include <oleauto.h>

#include <cstring>

#include "NV_WMP/TrackTexts.h"
#include "NV_WMP/win/WmpMedia.h"
#include "NV_WMP/win/WmpVisualHost.h"
#include "utility/NVFileSpec.h"

namespace wmp {

namespace {

// Copies the attribute into the field; the units copied.
int32_t CopyAttribute(IWMPMedia* media, const wchar_t* name,
                      char16_t (&field)[TrackRecord::kTextUnits]) {
  BSTR value = MediaAttributeWide(media, name);
  const int32_t units = CopyTrackField(field, reinterpret_cast<const char16_t*>(value));
  SysFreeString(value);
  return units;
}

}  // namespace

void WmpVisualHost::UpdateMetadata(IWMPMedia* media) {
  std::memset(&mTrack, 0, sizeof(mTrack));
  mTrack.size = TrackRecord::kSize;
  mTrack.mask = TrackRecord::kMask;
  ClearArt();
  if (media != nullptr) {
    ReadEmbeddedPicture(media);
    if (mArtPath.IsEmpty()) SearchCoverFiles(media);
    ReadTexts(media);
  }
  SendTrackAndArt();
}

void WmpVisualHost::ReadEmbeddedPicture(IWMPMedia* media) {
  const UtilStr url = EmbeddedPictureUrl(media);
  if (!url.IsEmpty()) SetArt(url);
}

void WmpVisualHost::SearchCoverFiles(IWMPMedia* media) {
  const UtilStr albumId = MediaAttribute(media, L"WM/WMCollectionID");
  const UtilStr source = MediaSourceUrl(media);
  if (source.IsEmpty()) return;
  NVFileSpec spec;
  spec.SetPath(source);
  for (int index = CoverSearchStart(albumId); index < kCoverNameCount; ++index) {
    spec.SetName(CoverFileName(index, albumId));
    if (spec.GetKind() == NVFileSpec::kFile) {
      SetArt(spec.Path());
      return;
    }
  }
}

void WmpVisualHost::ReadTexts(IWMPMedia* media) {
  CopyAttribute(media, L"Title", mTrack.title);

  int32_t year = YearFromText(MediaAttribute(media, L"WM/Year"));
  if (year == 0) year = YearFromText(MediaAttribute(media, L"WM/OriginalReleaseYear"));
  mTrack.year = year;

  ArtistList artists;
  for (const wchar_t* name : {L"Artist", L"WM/AlbumArtist", L"Author", L"WM/OriginalArtist"}) {
    artists.Add(MediaAttribute(media, name));
  }
  const UtilStr joined = artists.Joined();
  if (!joined.IsEmpty()) {
    char16_t wide[TrackRecord::kTextUnits] = {};
    joined.ToUtf16(wide, sizeof(wide));
    CopyTrackField(mTrack.artist, wide);
  }

  if (CopyAttribute(media, L"WM/AlbumTitle", mTrack.album) == 0) {
    CopyAttribute(media, L"WM/OriginalAlbumTitle", mTrack.album);
  }
}

}  // namespace wmp
