// The track pieces that need no player: artists, year, fields and cover file names.
#include "NV_WMP/TrackTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wmp {
namespace {

TEST(TrackTextsTest, ArtistsAreJoinedWithoutRepeatsOrEmptyNames) {
  struct Case {
    std::vector<const char*> names;  // Artist, WM/AlbumArtist, Author, WM/OriginalArtist
    const char* joined;
  };
  const Case cases[] = {
      {{"Band", "band", "", ""}, "Band"},
      {{"Band", "Guest", "", ""}, "Band / Guest"},
      {{"", "Album Artist", "", ""}, "Album Artist"},
      {{"A", "B", "a", "C"}, "A / B / C"},
      {{"", "", "", ""}, ""},
      {{"Ärzte", "ärzte", "", ""}, "Ärzte / ärzte"},  // only a-z fold
  };
  for (const Case& c : cases) {
    ArtistList artists;
    for (const char* name : c.names) artists.Add(UtilStr(name));
    EXPECT_STREQ(artists.Joined().Text(), c.joined) << c.names[0] << "/" << c.names[1];
  }
}

TEST(TrackTextsTest, YearIsTheNumberOfTheText) {
  EXPECT_EQ(YearFromText(UtilStr("1999")), 1999);
  EXPECT_EQ(YearFromText(UtilStr(" 2004-05-01")), 2004);
  EXPECT_EQ(YearFromText(UtilStr("")), 0);
  EXPECT_EQ(YearFromText(UtilStr("unknown")), 0);
}

TEST(TrackTextsTest, FieldsAreCutAt255UnitsAndTerminated) {
  TrackRecord record = {};
  std::u16string longTitle(300, u'x');
  EXPECT_EQ(CopyTrackField(record.title, longTitle.c_str()), 255);
  EXPECT_EQ(record.title[254], u'x');
  EXPECT_EQ(record.title[255], 0);
  EXPECT_EQ(CopyTrackField(record.artist, nullptr), 0);
  EXPECT_EQ(record.artist[0], 0);
  EXPECT_EQ(CopyTrackField(record.album, u"Album"), 5);
  EXPECT_EQ(std::u16string(record.album), u"Album");
}

TEST(TrackTextsTest, CoverSearchUsesTheIdentifierOnlyWhenItIsLongEnoughAndNamesNoPath) {
  struct Case {
    const char* id;
    int start;
  };
  const Case cases[] = {
      {"X123", 0},  {"ABC", 0},          {"AB", 3},          {"", 3},
      {"..\\..\\secret", 3}, {"../up", 3}, {"C:x", 3}, {"sub\\dir", 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CoverSearchStart(UtilStr(c.id)), c.start) << c.id;
  }
}

TEST(TrackTextsTest, CoverFileNamesInTheirOrder) {
  const UtilStr id("X123");
  const char* expected[] = {"AlbumArt_X123_Large.jpg", "AlbumArt_X123.jpg",
                            "AlbumArt_X123_Small.jpg", "Folder.jpg", "Folder.png"};
  for (int i = 0; i < kCoverNameCount; ++i) {
    EXPECT_STREQ(CoverFileName(i, id).Text(), expected[i]) << i;
  }
  EXPECT_TRUE(CoverFileName(5, id).IsEmpty());
  EXPECT_TRUE(CoverFileName(-1, id).IsEmpty());
  EXPECT_STREQ(CoverFileName(1, UtilStr("%s")).Text(), "AlbumArt_%s.jpg") << "no reformatting";
}

}  // namespace
}  // namespace wmp
