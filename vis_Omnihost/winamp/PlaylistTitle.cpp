#include "vis_Omnihost/winamp/PlaylistTitle.h"

#include <string_view>

void SplitPlaylistTitle(const UtilStr& text, UtilStr* artist, UtilStr* title) {
  const std::string_view whole(text.Text(), static_cast<size_t>(text.Length()));
  size_t at = whole.find(" - ");
  if (at == std::string_view::npos) at = whole.find(" / ");
  if (at == std::string_view::npos) {
    artist->Assign("");
    *title = text;
    return;
  }
  constexpr size_t kSeparatorLength = 3;
  const size_t titleStart = at + kSeparatorLength;
  artist->Assign(whole.data(), static_cast<int32_t>(at));
  title->Assign(whole.data() + titleStart, static_cast<int32_t>(whole.size() - titleStart));
}
