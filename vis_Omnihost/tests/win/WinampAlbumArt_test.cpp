// Album art from the player to the engine, end to end, in each of its three forms: a bitmap
// from the extended players (message 9995, 'HBit', deleted when the engine gives it back), a
// file path from MediaMonkey (9996, 'FlW2'), and pixels from the player's album-art service
// ('Fbuf', freed through the player's memory service); and the answers when there is none.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "players/winamp/AlbumPicture.h"
#include "players/winamp/StandInControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/WideText.h"
#include "vis_Omnihost/tests/win/WinampPlayerTest.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
namespace call = winamp_standin::call;
namespace command = winamp::command;

constexpr int64_t kNotHandled = 55012;
constexpr int64_t kNoArt = 55323;

// The player's picture as a 32-bit bitmap file, which the engine decodes with the system's
// codecs. The caller deletes it.
std::wstring WritePictureFile() {
  using winamp_standin::kPictureHeight;
  using winamp_standin::kPictureWidth;
  const std::wstring path = NewTempFile(L"nva");
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  const uint32_t pixelBytes = uint32_t(kPictureWidth * kPictureHeight * 4);
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + pixelBytes;
  info.biSize = sizeof info;
  info.biWidth = kPictureWidth;
  info.biHeight = -kPictureHeight;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  std::vector<uint32_t> pixels;
  for (int32_t y = 0; y < kPictureHeight; ++y) {
    for (int32_t x = 0; x < kPictureWidth; ++x)
      pixels.push_back(winamp_standin::PicturePixel(x, y));
  }
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixelBytes));
  return path;
}

// The engine's first request for art, after the first track was published.
JournalEntry FirstArtRequest(const StandInPlayerRun& run) {
  JournalEntry request;
  run.WaitForEngine([&](const Journal& engine) {
    const Journal asked = Callbacks(engine, "GArt");
    if (asked.empty()) return false;
    request = asked[0];
    return true;
  });
  return request;
}

class WinampAlbumArtTest : public WinampPlayerTest {};

TEST_F(WinampAlbumArtTest, AnExtendedPlayersBitmapIsDrawnAndDeletedOnce) {
  const std::pair<const wchar_t*, const char*> players[] = {{L"jetAudio", "jetaudio"},
                                                            {L"MediaMonkey", "mediamonkey"}};
  for (const auto& [folder, mode] : players) {
    SCOPED_TRACE(mode);
    StandInPlayerRun run(SetupFor(folder, mode, StandInCommand().Text("artPath", "C:/x.png")));
    ASSERT_TRUE(run.ok());
    ASSERT_NE(WaitForEngineWindow(run), nullptr);
    const JournalEntry art = FirstArtRequest(run);
    EXPECT_EQ(art.Get("kind"), "HBit");
    EXPECT_EQ(art.Number("status"), 0);
    ASSERT_TRUE(run.WaitForPlayer(
        [&](const Journal& player) { return CountOf(player, call::kBitmapDeleted) == 1; }));
    const Journal player = run.PlayerJournal();
    const Journal given = Messages(player, command::kExtendedAlbumBitmap);
    ASSERT_EQ(given.size(), 1u);
    EXPECT_EQ(given[0].Number("handle"), art.Number("bitmap"));
    EXPECT_EQ(EntriesOf(player, call::kBitmapDeleted)[0].Number("handle"), art.Number("bitmap"));
    // With a bitmap there is no need for the path.
    EXPECT_TRUE(Messages(player, command::kExtendedAlbumArtPath).empty());
    const Journal released = Callbacks(run.EngineJournal(), "RArt");
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].Get("kind"), "HBit");
    EXPECT_EQ(released[0].Number("decoded"), 0);
    EXPECT_EQ(released[0].Number("status"), 0);
    ExpectCleanExit(run);
    for (const JournalEntry& end : EntriesOf(run.PlayerJournal(), call::kBitmapAtEnd)) {
      EXPECT_EQ(end.Number("deleted"), 1);
    }
  }
}

TEST_F(WinampAlbumArtTest, MediaMonkeyWithoutABitmapGivesTheArtFilesPath) {
  const std::wstring picture = WritePictureFile();
  StandInPlayerRun run(
      SetupFor(L"MediaMonkey", "mediamonkey",
               StandInCommand().Text("bitmap", "none").Text("artPath", Utf8(picture))));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  const JournalEntry art = FirstArtRequest(run);
  EXPECT_EQ(art.Get("kind"), "FlW2");
  EXPECT_EQ(art.Get("path"), Utf8(picture));
  EXPECT_EQ(art.Number("status"), 0);
  ASSERT_TRUE(
      run.WaitForEngine([](const Journal& engine) { return !Callbacks(engine, "RArt").empty(); }));
  // The engine read the picture; the path stays the player's, so nothing is freed.
  EXPECT_EQ(Callbacks(run.EngineJournal(), "RArt")[0].Number("decoded"), 0);
  ExpectCleanExit(run);
  DeleteFileW(picture.c_str());
}

TEST_F(WinampAlbumArtTest, TheAlbumArtServicesPixelsAreDrawnAndFreedOnceThroughTheMemoryService) {
  StandInPlayerRun run(SetupFor(L"Winamp", "winamp"));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  const JournalEntry art = FirstArtRequest(run);
  EXPECT_EQ(art.Get("kind"), "Fbuf");
  EXPECT_EQ(art.Number("status"), 0);
  EXPECT_EQ(art.Number("width"), winamp_standin::kPictureWidth);
  EXPECT_EQ(art.Number("height"), winamp_standin::kPictureHeight);
  EXPECT_EQ(art.Number("stride"), winamp_standin::kPictureWidth * 4);
  ASSERT_TRUE(run.WaitForPlayer(
      [](const Journal& player) { return CountOf(player, call::kMemoryFree) == 1; }));

  // The centre of the window shows the middle of the picture.
  const JournalEntry probe = Probe(run);
  const int64_t centre = probe.Number("centre");
  EXPECT_NEAR(double((centre >> 16) & 0xFF), 24 * 5, 10);
  EXPECT_NEAR(double((centre >> 8) & 0xFF), 16 * 7, 14);
  EXPECT_EQ(centre & 0xFF, 0x80);

  const Journal player = run.PlayerJournal();
  const Journal given = EntriesOf(player, call::kAlbumArt);
  ASSERT_EQ(given.size(), 1u);
  EXPECT_EQ(given[0].Get("type"), "cover");
  EXPECT_EQ(given[0].Get("file"), Messages(player, command::kPlayingFileName).back().Get("text"));
  EXPECT_EQ(given[0].Number("pixels"), art.Number("pixels"));
  const JournalEntry freed = EntriesOf(player, call::kMemoryFree)[0];
  EXPECT_EQ(freed.Number("pointer"), art.Number("pixels"));
  EXPECT_EQ(freed.Number("known"), 1);
  const Journal released = Callbacks(run.EngineJournal(), "RArt");
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0].Number("decoded"), 0);
  EXPECT_EQ(released[0].Number("status"), 0);
  ExpectCleanExit(run);

  // Both services were got once and given back once, and no pixels were left over.
  const Journal ended = run.PlayerJournal();
  for (const char* service : {"memory", "albumArt"}) {
    SCOPED_TRACE(service);
    size_t got = 0;
    size_t releases = 0;
    for (const JournalEntry& dispatch : EntriesOf(ended, call::kService)) {
      if (dispatch.Get("guid") == service && dispatch.Number("answer") != 0) ++got;
      if (dispatch.Get("service") == service && dispatch.Number("dispatch") == -2) ++releases;
    }
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(releases, 1u);
  }
  const Journal left = EntriesOf(ended, call::kPixelsAtEnd);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].Number("outstanding"), 0);
}

struct NoArtCase {
  const char* name;
  const wchar_t* folder;
  const char* mode;
  StandInCommand setup;
  int64_t status;
};

TEST_F(WinampAlbumArtTest, WithoutArtTheEngineIsToldWhy) {
  const NoArtCase cases[] = {
      {"Winamp without services", L"Winamp", "winamp", StandInCommand().Text("services", "none"),
       kNotHandled},
      {"Winamp whose service interface answers 1", L"Winamp", "winamp",
       StandInCommand().Text("services", "one"), kNotHandled},
      {"Winamp without an album-art service", L"Winamp", "winamp",
       StandInCommand().Text("artService", "absent"), kNotHandled},
      {"album-art service that finds nothing", L"Winamp", "winamp",
       StandInCommand().Text("artService", "fails"), kNoArt},
      {"album-art service that reports success without pixels", L"Winamp", "winamp",
       StandInCommand().Text("artService", "noPixels"), kNoArt},
      {"no playing file name", L"Winamp", "winamp", StandInCommand().Number("nullTexts", 1),
       kNoArt},
      {"jetAudio without a bitmap or services", L"jetAudio", "jetaudio",
       StandInCommand().Text("bitmap", "none").Text("services", "none"), kNoArt},
      {"jetAudio whose bitmap is no bitmap, without services", L"jetAudio", "jetaudio",
       StandInCommand().Text("bitmap", "notBitmap").Text("services", "none"), kNoArt},
      {"MediaMonkey without a bitmap, path or services", L"MediaMonkey", "mediamonkey",
       StandInCommand().Text("bitmap", "none").Text("services", "none"), kNoArt},
  };
  for (const NoArtCase& c : cases) {
    SCOPED_TRACE(c.name);
    StandInPlayerRun run(SetupFor(c.folder, c.mode, c.setup));
    ASSERT_TRUE(run.ok());
    ASSERT_NE(WaitForEngineWindow(run), nullptr);
    const JournalEntry art = FirstArtRequest(run);
    EXPECT_EQ(art.Number("status"), c.status);
    EXPECT_EQ(art.Number("kind"), 0);
    ExpectCleanExit(run);
    const Journal engine = run.EngineJournal();
    EXPECT_TRUE(Callbacks(engine, "RArt").empty());
    const Journal player = run.PlayerJournal();
    EXPECT_EQ(CountOf(player, call::kMemoryFree), 0u);
    // jetAudio is never asked for a path.
    if (std::string(c.mode) == "jetaudio") {
      EXPECT_TRUE(Messages(player, command::kExtendedAlbumArtPath).empty());
    }
  }
}

TEST_F(WinampAlbumArtTest, AHandleThatIsNoBitmapIsLeftAloneAndTheNextSourceServes) {
  StandInPlayerRun run(
      SetupFor(L"jetAudio", "jetaudio", StandInCommand().Text("bitmap", "notBitmap")));
  ASSERT_TRUE(run.ok());
  ASSERT_NE(WaitForEngineWindow(run), nullptr);
  const JournalEntry art = FirstArtRequest(run);
  EXPECT_EQ(art.Get("kind"), "Fbuf");
  EXPECT_EQ(art.Number("status"), 0);
  ExpectCleanExit(run);
  // The player's object was not taken for a bitmap, so it is not the module's to delete.
  const Journal player = run.PlayerJournal();
  ASSERT_EQ(Messages(player, command::kExtendedAlbumBitmap).size(), 1u);
  const Journal ends = EntriesOf(player, call::kBitmapAtEnd);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].Number("deleted"), 0);
  EXPECT_EQ(CountOf(player, call::kMemoryFree), 1u);
}

}  // namespace
