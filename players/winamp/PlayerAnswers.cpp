#include "players/winamp/PlayerAnswers.h"

#include <algorithm>

#include "players/winamp/AlbumPicture.h"
#include "players/winamp/EmbedFrame.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

namespace winamp_standin {
namespace {

namespace command = winamp::command;

// Query texts (file and field names) longer than this are not journaled whole.
constexpr size_t kMaxQueryUnits = 4096;

intptr_t VersionOf(PlayerMode mode) {
  switch (mode) {
    case PlayerMode::kMediaMonkey:
      return winamp::kMediaMonkeyVersion;
    case PlayerMode::kJetAudio:
      return kJetAudioVersion;
    default:
      return kWinampVersion;
  }
}

std::u16string Bounded(const char16_t* text) {
  size_t length = 0;
  while (length < kMaxQueryUnits && text[length] != 0) ++length;
  return std::u16string(text, length);
}

LRESULT Pointer(const void* text) {
  return reinterpret_cast<LRESULT>(text);
}

}  // namespace

PlayerAnswers::PlayerAnswers(const StandInOptions& options, PlayerServices* services)
    : mOptions(options), mServices(services), mTrack(options.track) {
  MakeTexts();
}

void PlayerAnswers::MakeTexts() {
  mTexts.push_back(std::make_unique<TrackTexts>(mTrack, mOptions.longTitle));
  mPlaylist[mTrack.position] = mTexts.back().get();
}

void PlayerAnswers::ChangeTrack(const SettingsTable& fields) {
  ApplyTrackFields(fields, &mTrack);
  MakeTexts();
}

LRESULT PlayerAnswers::Answer(WPARAM wParam, LPARAM lParam) {
  refengine::JournalLine line(call::kMessage);
  line.Number("command", lParam).Number("wparam", int64_t(wParam));
  LRESULT answer = 0;
  switch (lParam) {
    case command::kVersion:
      answer = VersionOf(mOptions.mode);
      break;
    case command::kTrackLength:
      answer = wParam == 1 ? LRESULT(mTrack.length) : 0;
      break;
    case command::kPlaylistPosition:
      answer = LRESULT(mTrack.position);
      break;
    case command::kPlaylistTitle:
      answer = PlaylistTitle(line, wParam, false);
      break;
    case command::kPlaylistTitleWide:
      answer = PlaylistTitle(line, wParam, true);
      break;
    case command::kEmbedFunction:
      answer = mOptions.embed == EmbedKind::kNone
                   ? 0
                   : Pointer(reinterpret_cast<const void*>(TheEmbedFunction()));
      break;
    case command::kVisualizationWindow:
      mPluginWindow.store(reinterpret_cast<HWND>(wParam));
      break;
    case command::kVisualizationStarted:
    case command::kFullscreen:
      break;
    case command::kServiceInterface:
      answer = mOptions.services == ServicesKind::kFull  ? Pointer(mServices->Interface())
               : mOptions.services == ServicesKind::kOne ? 1
                                                         : 0;
      break;
    case command::kExtendedFileInfo:
      answer = ExtendedFileInfo(line, wParam);
      break;
    case command::kPlayingFileName:
      answer = Text(line, Texts().file());
      break;
    case command::kPlayingTitle:
      answer = Text(line, Texts().title());
      break;
    default:
      answer = Extended(line, lParam);
      break;
  }
  line.Number("answer", int64_t(answer));
  WriteJournal(line);
  return answer;
}

LRESULT PlayerAnswers::Extended(refengine::JournalLine& line, LPARAM lParam) {
  const bool extended = IsExtended(mOptions.mode);
  switch (extended ? lParam : -1) {
    case command::kExtendedTitle:
      return Text(line, Texts().extTitle());
    case command::kExtendedArtist:
      return Text(line, Texts().extArtist());
    case command::kExtendedAlbum:
      return Text(line, Texts().extAlbum());
    case command::kExtendedAlbumBitmap:
      return AlbumBitmap(line);
    case command::kExtendedAlbumArtPath:
      if (mOptions.mode == PlayerMode::kMediaMonkey) return Text(line, Texts().artPath());
      return Unexpected(line);
    default:
      return Unexpected(line);
  }
}

LRESULT PlayerAnswers::Unexpected(refengine::JournalLine& line) {
  refengine::JournalLine unexpected(call::kUnexpected);
  WriteJournal(unexpected.Text("what", "message").Text("line", line.str()));
  return 0;
}

LRESULT PlayerAnswers::Text(refengine::JournalLine& line, const std::u16string& text) {
  if (mOptions.nullTexts) return 0;
  line.WideText("text", text.c_str(), text.size()).Number("units", int64_t(text.size()));
  return Pointer(text.c_str());
}

LRESULT PlayerAnswers::Text8(refengine::JournalLine& line, const std::string& text) {
  if (mOptions.nullTexts) return 0;
  line.Text("text", text).Number("units", int64_t(text.size()));
  return Pointer(text.c_str());
}

LRESULT PlayerAnswers::PlaylistTitle(refengine::JournalLine& line, WPARAM position, bool wide) {
  const auto entry = mPlaylist.find(int64_t(position));
  if (entry == mPlaylist.end()) {
    line.Number("known", 0);
    return 0;
  }
  return wide ? Text(line, entry->second->playlist()) : Text8(line, entry->second->playlist8());
}

LRESULT PlayerAnswers::ExtendedFileInfo(refengine::JournalLine& line, WPARAM query) {
  auto* record = reinterpret_cast<winamp::ExtendedFileInfoQuery*>(query);
  if (!record || !record->field || !record->result || record->resultSize == 0) {
    return Unexpected(line);
  }
  line.WideText("file", record->fileName, kMaxQueryUnits)
      .WideText("field", record->field, kMaxQueryUnits)
      .Number("size", int64_t(record->resultSize));
  if (mOptions.nullTexts) return 0;
  const std::u16string* value = Texts().Info(Bounded(record->field));
  if (!value) {
    record->result[0] = 0;
    return 0;
  }
  // The buffer's size is the player's limit too: a long value is cut and always terminated.
  const size_t units = std::min(value->size(), record->resultSize - 1);
  std::copy_n(value->c_str(), units, record->result);
  record->result[units] = 0;
  line.WideText("text", record->result, units).Number("units", int64_t(units));
  return 1;
}

LRESULT PlayerAnswers::AlbumBitmap(refengine::JournalLine& line) {
  HGDIOBJ handle = nullptr;
  switch (mOptions.bitmap) {
    case BitmapKind::kPicture:
      handle = NewPictureBitmap();
      break;
    case BitmapKind::kNotBitmap:
      handle = CreateSolidBrush(RGB(1, 2, 3));
      break;
    default:
      break;
  }
  if (handle) mBitmaps.Add(handle);
  line.Address("handle", handle).Number("type", handle ? int64_t(GetObjectType(handle)) : 0);
  return Pointer(handle);
}

}  // namespace winamp_standin
