// Track data and covers from the stand-in player's media items reach the engine ('Trck',
// 'CArt'); a stop clears them; bad attributes change nothing and read nothing outside the
// media's folder.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "NV_WMP/tests/win/EffectHarness.h"
#include "players/wmp/StandInCore.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/WideText.h"
#include "visualhost/engine/EngineRecords.h"

namespace wmptest {
namespace {

using wmpstandin::CoreSetup;
using wmpstandin::MediaSetup;
using wmpstandin::StandInCore;

// A folder of media and cover files for one test, removed afterwards.
class MediaFolder {
 public:
  MediaFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    mRoot = std::wstring(temp) + L"nvwmp" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(GetTickCount64());
    CreateDirectoryW(mRoot.c_str(), nullptr);
    mAlbum = mRoot + L"\\Album";
    CreateDirectoryW(mAlbum.c_str(), nullptr);
  }
  ~MediaFolder() {
    for (const std::wstring& file : mFiles) DeleteFileW(file.c_str());
    RemoveDirectoryW(mAlbum.c_str());
    RemoveDirectoryW(mRoot.c_str());
  }
  // A file in the album folder (or, with "..\\", in the folder above it).
  std::wstring Make(const std::wstring& name) {
    const std::wstring path = mAlbum + L"\\" + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, "x", 1, &written, nullptr);
      CloseHandle(file);
    }
    mFiles.push_back(path);
    return path;
  }
  std::wstring Song() const { return mAlbum + L"\\song.mp3"; }
  std::wstring Above(const std::wstring& name) {
    const std::wstring path = mRoot + L"\\" + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    mFiles.push_back(path);
    return path;
  }

 private:
  std::wstring mRoot;
  std::wstring mAlbum;
  std::vector<std::wstring> mFiles;
};

class EffectTrackTest : public InstalledEngineTest {
 protected:
  void SetUp() override {
    InstalledEngineTest::SetUp();
    if (HasFatalFailure()) return;
    core_ = new StandInCore(CoreSetup{});
    effect_ = NewEffect();
    ASSERT_NE(effect_, nullptr);
    ASSERT_EQ(effect_->table->SetCore(effect_, core_), S_OK);
    windows_.RouteTo(effect_);
    effect_->table->Create(effect_, windows_.EffectWindow());
    RenderFrames(effect_, 4, Levels(20));
    ASSERT_EQ(Calls(journal_.Read(), "CreateInstance").size(), 1u);
  }
  void TearDown() override {
    if (effect_ != nullptr) {
      effect_->table->Destroy(effect_);
      effect_->table->SetCore(effect_, nullptr);
      windows_.RouteTo(nullptr);
      EXPECT_EQ(effect_->table->Release(effect_), 0u);
    }
    EXPECT_EQ(core_->Outstanding(), 0) << "the effect kept a reference";
    EXPECT_TRUE(core_->Journal().Unexpected().empty());
    core_->ReleaseOwner();
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
  }

  // The media becomes current and the player tells the effect, as on a track change.
  JournalEntry Play(const MediaSetup& media, const char* code) {
    core_->SetMedia(media);
    EXPECT_TRUE(core_->SendMediaChange());
    const Journal sent = Calls(journal_.Read(), "Request", code);
    return sent.empty() ? JournalEntry{} : sent.back();
  }

  EngineJournal journal_;
  PlayerWindows windows_;
  StandInCore* core_ = nullptr;
  wmp::Effects* effect_ = nullptr;
};

TEST_F(EffectTrackTest, TrackTextsFollowTheAttributesInTheirOrder) {
  struct Case {
    const char* name;
    std::map<std::wstring, std::wstring> attributes;
    std::string title, artist, album;
    int64_t year;
  };
  const std::wstring longTitle(300, L'T');
  const Case cases[] = {
      {"full",
       {{L"Title", L"Song"}, {L"Artist", L"Band"}, {L"WM/AlbumArtist", L"Guest"},
        {L"WM/AlbumTitle", L"Album"}, {L"WM/Year", L"2004"}},
       "Song", "Band / Guest", "Album", 2004},
      {"artist repeated in another case",
       {{L"Artist", L"Band"}, {L"WM/AlbumArtist", L"band"}, {L"Author", L"Writer"}},
       "", "Band / Writer", "", 0},
      {"album artist alone", {{L"Artist", L""}, {L"WM/AlbumArtist", L"Solo"}}, "", "Solo", "", 0},
      {"original year and album",
       {{L"WM/Year", L"0"}, {L"WM/OriginalReleaseYear", L"1999"},
        {L"WM/OriginalAlbumTitle", L"First Press"}},
       "", "", "First Press", 1999},
      {"long title cut", {{L"Title", longTitle}}, std::string(255, 'T'), "", "", 0},
      {"10000 characters everywhere",
       {{L"Title", std::wstring(10000, L'a')}, {L"Artist", std::wstring(10000, L'b')},
        {L"WM/AlbumTitle", std::wstring(10000, L'c')}, {L"WM/Year", std::wstring(10000, L'9')}},
       std::string(255, 'a'), std::string(255, 'b'), std::string(255, 'c'), -1},
      {"null strings from a partial player",
       {{L"Title", wmpstandin::kNullValue}, {L"Artist", wmpstandin::kNullValue},
        {L"WM/Year", wmpstandin::kNullValue}},
       "", "", "", 0},
      {"nothing at all", {}, "", "", "", 0},
  };
  for (const Case& c : cases) {
    MediaSetup media;
    media.attributes = c.attributes;
    media.hasSourceUrl = false;
    const JournalEntry track = Play(media, "Trck");
    ASSERT_EQ(track.call, "Request") << c.name;
    EXPECT_EQ(track.Number("size"), 3100) << c.name;
    EXPECT_EQ(track.Number("mask"), 224) << c.name;
    EXPECT_EQ(track.Get("title"), c.title) << c.name;
    EXPECT_EQ(track.Get("artist"), c.artist) << c.name;
    EXPECT_EQ(track.Get("album"), c.album) << c.name;
    if (c.year >= 0) {
      EXPECT_EQ(track.Number("year"), c.year) << c.name;
    }
  }
}

TEST_F(EffectTrackTest, CoversAreFoundInTheirOrderAndOnlyInTheMediasFolder) {
  MediaFolder folder;
  folder.Make(L"song.mp3");
  const std::wstring large = folder.Make(L"AlbumArt_X123_Large.jpg");
  const std::wstring plain = folder.Make(L"AlbumArt_X123.jpg");
  const std::wstring folderJpg = folder.Make(L"Folder.jpg");
  const std::wstring outside = folder.Above(L"secret_Large.jpg");
  struct Case {
    const char* name;
    std::wstring id;
    std::wstring picture;
    std::wstring expected;  // empty: no art
  };
  const std::wstring embedded = L"C:\\covers\\embedded.png";
  const Case cases[] = {
      {"identifier", L"X123", L"", large},
      {"no identifier", L"", L"", folderJpg},
      {"two-character identifier", L"X1", L"", folderJpg},
      {"identifier with separators", L"..\\Evil", L"", folderJpg},
      {"identifier leading out of the folder", L"x\\..\\..\\secret", L"", folderJpg},
      {"embedded picture wins", L"X123", embedded, embedded},
      {"picture URL of four characters", L"", L"a.pn", folderJpg},
  };
  for (const Case& c : cases) {
    MediaSetup media;
    media.sourceUrl = folder.Song();
    if (!c.id.empty()) media.attributes[L"WM/WMCollectionID"] = c.id;
    media.pictureUrl = c.picture;
    const JournalEntry art = Play(media, "CArt");
    EXPECT_EQ(art.Get("kind"), c.expected.empty() ? "0x00000000" : "Fil8") << c.name;
    EXPECT_EQ(Wide(art.Get("path")), c.expected) << c.name;
  }
  (void)plain;
  (void)outside;
}

TEST_F(EffectTrackTest, AStopEmptiesTheTrackAndTheCover) {
  MediaFolder folder;
  folder.Make(L"song.mp3");
  folder.Make(L"Folder.png");
  MediaSetup media;
  media.sourceUrl = folder.Song();
  media.attributes = {{L"Title", L"Song"}, {L"Artist", L"Band"}, {L"WM/Year", L"2001"}};
  const JournalEntry art = Play(media, "CArt");
  EXPECT_EQ(art.Get("kind"), "Fil8");
  EXPECT_NE(art.Get("path").find("Folder.png"), std::string::npos);

  ASSERT_TRUE(core_->SendPlayStateChange(wmppsStopped));
  const JournalEntry track = Calls(journal_.Read(), "Request", "Trck").back();
  EXPECT_EQ(track.Get("title"), "");
  EXPECT_EQ(track.Get("artist"), "");
  EXPECT_EQ(track.Number("year"), 0);
  const std::vector<uint8_t> raw = refengine_journal::HexBytes(track.Get("raw"));
  ASSERT_EQ(raw.size(), 3100u);
  for (size_t i = 8; i < raw.size(); ++i) ASSERT_EQ(raw[i], 0) << "byte " << i;
  const JournalEntry cleared = Calls(journal_.Read(), "Request", "CArt").back();
  const std::vector<uint8_t> record = refengine_journal::HexBytes(cleared.Get("raw"));
  ASSERT_EQ(record.size(), sizeof(ArtRecord));
  for (uint8_t byte : record) EXPECT_EQ(byte, 0);
}

TEST_F(EffectTrackTest, BadPicturesAndMissingPartsFallThroughQuietly) {
  MediaFolder folder;
  folder.Make(L"song.mp3");
  const std::wstring folderJpg = folder.Make(L"Folder.jpg");
  struct Case {
    const char* name;
    MediaSetup media;
    std::wstring expected;
  };
  MediaSetup wrongType;
  wrongType.sourceUrl = folder.Song();
  wrongType.pictureUrl = L"C:\\covers\\picture.jpg";
  wrongType.pictureType = VT_BSTR;
  MediaSetup noMedia3;
  noMedia3.sourceUrl = folder.Song();
  noMedia3.pictureUrl = L"C:\\covers\\picture.jpg";
  noMedia3.offersMedia3 = false;
  MediaSetup pictureNamesNoFile;
  pictureNamesNoFile.sourceUrl = folder.Song();
  pictureNamesNoFile.pictureUrl = L"C:\\nowhere\\missing.jpg";
  MediaSetup noSource;
  noSource.hasSourceUrl = false;
  const Case cases[] = {
      {"picture of the wrong variant type", wrongType, folderJpg},
      {"media without IWMPMedia3", noMedia3, folderJpg},
      // The picture's URL is the player's word: it is passed on as it is.
      {"picture URL naming no file", pictureNamesNoFile, L"C:\\nowhere\\missing.jpg"},
      {"no source URL", noSource, L""},
  };
  for (const Case& c : cases) {
    const JournalEntry art = Play(c.media, "CArt");
    EXPECT_EQ(Wide(art.Get("path")), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace wmptest
