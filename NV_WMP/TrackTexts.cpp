#include "NV_WMP/TrackTexts.h"

#include "utility/TextFunctions.h"

namespace wmp {

namespace {

constexpr int kFirstFolderName = 3;
const char* const kCoverNames[kCoverNameCount] = {
    "AlbumArt_%s_Large.jpg", "AlbumArt_%s.jpg", "AlbumArt_%s_Small.jpg", "Folder.jpg",
    "Folder.png"};

bool NamesAPath(const UtilStr& text) {
  for (int32_t i = 0; i < text.Length(); ++i) {
    const char c = text.Text()[i];
    if (c == '\\' || c == '/' || c == ':') return true;
  }
  return false;
}

}  // namespace

void ArtistList::Add(const UtilStr& name) {
  if (name.IsEmpty() || mCount == kMostArtists) return;
  for (int i = 0; i < mCount; ++i) {
    if (CompareText(mNames[i].Text(), mNames[i].Length(), name.Text(), name.Length(), false) == 0) {
      return;
    }
  }
  mNames[mCount++] = name;
}

UtilStr ArtistList::Joined() const {
  UtilStr joined;
  for (int i = 0; i < mCount; ++i) {
    if (i > 0) joined.Append(" / ");
    joined.Append(mNames[i]);
  }
  return joined;
}

int32_t YearFromText(const UtilStr& text) {
  return text.IsEmpty() ? 0 : ParseInt32(text.Text(), text.Length());
}

int32_t CopyTrackField(char16_t (&field)[TrackRecord::kTextUnits], const char16_t* text) {
  int32_t units = 0;
  if (text != nullptr) {
    while (units < TrackRecord::kTextUnits - 1 && text[units] != 0) {
      field[units] = text[units];
      ++units;
    }
  }
  field[units] = 0;
  return units;
}

int CoverSearchStart(const UtilStr& albumId) {
  return albumId.Length() > 2 && !NamesAPath(albumId) ? 0 : kFirstFolderName;
}

UtilStr CoverFileName(int index, const UtilStr& albumId) {
  if (index < 0 || index >= kCoverNameCount) return UtilStr();
  UtilStr name;
  for (const char* c = kCoverNames[index]; *c != 0; ++c) {
    if (c[0] == '%' && c[1] == 's') {
      name.Append(albumId);
      ++c;
    } else {
      name.AppendChar(*c);
    }
  }
  return name;
}

}  // namespace wmp
