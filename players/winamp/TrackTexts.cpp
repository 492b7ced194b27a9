#include "players/winamp/TrackTexts.h"

#include <windows.h>

#include "players/winamp/StandInControl.h"
#include "utility/TextFunctions.h"

namespace winamp_standin {
namespace {

// The title followed by digits up to exactly kLongTitleUnits units; a missing title stays
// missing.
std::u16string Lengthened(std::u16string text) {
  if (text.empty()) return text;
  const size_t original = text.size();
  text.resize(size_t(kLongTitleUnits));
  for (size_t i = original; i < text.size(); ++i) text[i] = char16_t(u'0' + i % 10);
  return text;
}

std::string CodePageText(const std::u16string& text) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(size_t(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), result.data(), bytes, nullptr, nullptr);
  }
  return result;
}

}  // namespace

std::u16string Utf16(const std::string& utf8) {
  const int32_t units = Utf8ToUtf16(utf8.data(), int32_t(utf8.size()), nullptr, 0);
  std::u16string wide(size_t(units > 0 ? units : 0), u'\0');
  if (units > 0) Utf8ToUtf16(utf8.data(), int32_t(utf8.size()), wide.data(), units);
  return wide;
}

TrackTexts::TrackTexts(const Track& track, bool longTitle)
    : mFile(Utf16(track.file)),
      mTitle(Utf16(track.title)),
      mPlaylist(Utf16(track.playlist)),
      mExtTitle(Utf16(track.extTitle)),
      mExtArtist(Utf16(track.extArtist)),
      mExtAlbum(Utf16(track.extAlbum)),
      mArtPath(Utf16(track.artPath)),
      mInfoArtist(Utf16(track.infoArtist)),
      mInfoAlbum(Utf16(track.infoAlbum)),
      mInfoTitle(Utf16(track.infoTitle)),
      mInfoYear(Utf16(track.infoYear)) {
  if (longTitle) {
    mTitle = Lengthened(mTitle);
    mPlaylist = Lengthened(mPlaylist);
    mExtTitle = Lengthened(mExtTitle);
    mInfoTitle = Lengthened(mInfoTitle);
  }
  mPlaylist8 = CodePageText(mPlaylist);
}

const std::u16string* TrackTexts::Info(const std::u16string& field) const {
  const std::u16string* value = nullptr;
  if (field == u"artist") value = &mInfoArtist;
  if (field == u"album") value = &mInfoAlbum;
  if (field == u"title") value = &mInfoTitle;
  if (field == u"year") value = &mInfoYear;
  return value && !value->empty() ? value : nullptr;
}

}  // namespace winamp_standin
