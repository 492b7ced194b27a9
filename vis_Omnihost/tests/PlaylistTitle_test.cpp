#include "vis_Omnihost/winamp/PlaylistTitle.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const char* entry;
  const char* artist;
  const char* title;
};

TEST(PlaylistTitle, SplitsAtTheFirstDashElseTheFirstSlash) {
  const SplitCase cases[] = {
      {"Nils Frahm - Says", "Nils Frahm", "Says"},
      {"Nils Frahm / Says", "Nils Frahm", "Says"},
      // The first " - " wins, and a dash separator is preferred over an earlier slash.
      {"A - B - C", "A", "B - C"},
      {"A / B - C", "A / B", "C"},
      {"A / B / C", "A", "B / C"},
      // Without blanks around it a dash or slash is part of a name.
      {"AC-DC/Live", "", "AC-DC/Live"},
      {"Just a title", "", "Just a title"},
      {"", "", ""},
      {" - Title only", "", "Title only"},
      {"Artist only - ", "Artist only", ""},
  };
  for (const SplitCase& c : cases) {
    UtilStr artist("stale");
    UtilStr title("stale");
    SplitPlaylistTitle(UtilStr(c.entry), &artist, &title);
    EXPECT_STREQ(artist.Text(), c.artist) << "entry '" << c.entry << "'";
    EXPECT_STREQ(title.Text(), c.title) << "entry '" << c.entry << "'";
  }
}

TEST(PlaylistTitle, SplitsUtf8Text) {
  const char entry[] = "Bj\xC3\xB6rk - J\xC3\xB3ga";
  UtilStr artist;
  UtilStr title;
  SplitPlaylistTitle(UtilStr(entry), &artist, &title);
  EXPECT_STREQ(artist.Text(), "Bj\xC3\xB6rk");
  EXPECT_STREQ(title.Text(), "J\xC3\xB3ga");
}

}  // namespace
