// Sizes of rectangles that come from outside: the engine's 'Wind' answer, a player's window
// rectangle, an inset record. Their corners may lie anywhere in 32 bits, so right - left in
// 32-bit arithmetic can overflow (left -2147483648, right 2147483647); sizes are computed in
// 64 bits here and brought back into 32 bits only where a system call needs them. Works for
// EngineRect and the system's RECT alike.
#pragma once

#include <cstdint>
#include <limits>

template <class Rect>
constexpr int64_t RectWidth(const Rect& rect) {
  return int64_t(rect.right) - int64_t(rect.left);
}

template <class Rect>
constexpr int64_t RectHeight(const Rect& rect) {
  return int64_t(rect.bottom) - int64_t(rect.top);
}

// The value, or the nearest 32-bit one.
constexpr int32_t ClampToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int32_t(value);
}
