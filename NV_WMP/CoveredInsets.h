// Which parts of the effect window the player's translucent control bars cover.
//
// The player lays its bars as layered top-level windows of the classes "WMP Skin Host" or
// "CWmpControlCntr" over the effect window. A bar is a long, thin window that shares two or
// three of its edges with the effect window; each one found cuts the visible part from the side
// it lies on. The engine is told the covered margins ('Nset') so that it keeps its text clear of
// them. In Media Center, where no such bars are found, the top and bottom 75 pixels are
// assumed covered.
#pragma once

#include <cstddef>

#include "visualhost/engine/EngineRecords.h"

namespace wmp {

// A top-level window seen in Z order above or beside the effect window.
struct BarCandidate {
  EngineRect rect;        // window rectangle, screen coordinates
  bool layered;           // extended style has WS_EX_LAYERED
  const char* className;  // may be null
};

constexpr int kMediaCenterDefaultInset = 75;

// The insets (left, top, right, bottom covered, in pixels) of the effect window `window` given
// the candidates in Z order.
EngineRect CoveredInsets(const EngineRect& window, const BarCandidate* candidates, size_t count,
                         bool inMediaCenter);

// Whether a window of this class and style can be one of the player's bars.
bool IsBarWindowClass(const char* className, bool layered);

}  // namespace wmp
