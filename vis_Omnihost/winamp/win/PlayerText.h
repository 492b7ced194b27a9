// Texts the player hands over as pointers into its own memory. A player may give a null
// pointer, or a text longer than anything worth showing; reading stops at a bound.
#pragma once

#include <cstdint>

#include "utility/UtilStr.h"

namespace winamp {

// Units read at most from a player's text.
constexpr int32_t kPlayerTextBound = 4096;

// UTF-8 of a UTF-16 text (null: empty), read up to the bound.
UtilStr TextFromWide(const char16_t* text);
// UTF-8 of an 8-bit text in the system's ANSI code page (null: empty), read up to the bound.
UtilStr TextFromAnsi(const char* text);

}  // namespace winamp
