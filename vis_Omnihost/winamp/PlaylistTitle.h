// Artist and title from a playlist entry's text, for tracks whose files carry no tags: players
// show such entries as "Artist - Title" (or "Artist / Title").
#pragma once

#include "utility/UtilStr.h"

// Splits at the first " - ", or else at the first " / ": the text before is the artist, the
// text after the separator the title. Without a separator the whole text is the title and the
// artist is empty.
void SplitPlaylistTitle(const UtilStr& text, UtilStr* artist, UtilStr* title);
