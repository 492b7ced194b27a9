#include "NV_WMP/CoveredInsets.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace wmp {

namespace {

// Long and thin: the short side is under a fifth of the long one and more than 100 shorter.
bool IsBarShaped(const EngineRect& bar) {
  const int64_t width = int64_t(bar.right) - bar.left;
  const int64_t height = int64_t(bar.bottom) - bar.top;
  const int64_t shorter = std::min(width, height);
  const int64_t longer = std::max(width, height);
  return shorter * 100 / (longer + 1) < 20 && shorter < longer - 100;
}

int SharedEdges(const EngineRect& bar, const EngineRect& window) {
  return int(bar.left == window.left) + int(bar.top == window.top) +
         int(bar.right == window.right) + int(bar.bottom == window.bottom);
}

bool Intersect(const EngineRect& a, const EngineRect& b, EngineRect* out) {
  out->left = std::max(a.left, b.left);
  out->top = std::max(a.top, b.top);
  out->right = std::min(a.right, b.right);
  out->bottom = std::min(a.bottom, b.bottom);
  return out->left < out->right && out->top < out->bottom;
}

bool SameRect(const EngineRect& a, const EngineRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

bool IsBarWindowClass(const char* className, bool layered) {
  if (!layered || className == nullptr) return false;
  return std::strcmp(className, "WMP Skin Host") == 0 ||
         std::strcmp(className, "CWmpControlCntr") == 0;
}

EngineRect CoveredInsets(const EngineRect& window, const BarCandidate* candidates, size_t count,
                         bool inMediaCenter) {
  EngineRect visible = window;
  for (size_t i = 0; candidates != nullptr && i < count; ++i) {
    const BarCandidate& bar = candidates[i];
    if (!IsBarWindowClass(bar.className, bar.layered)) continue;
    if (!IsBarShaped(bar.rect)) continue;
    const int shared = SharedEdges(bar.rect, window);
    if (shared != 2 && shared != 3) continue;
    EngineRect covered;
    if (!Intersect(visible, bar.rect, &covered)) continue;
    // Both tests look at the visible part as it was before this bar.
    const EngineRect before = visible;
    if (covered.top == before.top && covered.bottom == before.bottom) {
      if (covered.left > before.left) {
        visible.right = covered.left;  // a bar on the right
      } else {
        visible.left = covered.right;  // a bar on the left
      }
    }
    if (covered.left == before.left && covered.right == before.right) {
      if (covered.top > before.top) {
        visible.bottom = covered.top;  // a bar at the bottom
      } else {
        visible.top = covered.bottom;  // a bar at the top
      }
    }
  }
  if (inMediaCenter && SameRect(visible, window)) {
    visible.top += kMediaCenterDefaultInset;
    visible.bottom -= kMediaCenterDefaultInset;
  }
  return EngineRect{visible.left - window.left, visible.top - window.top,
                    window.right - visible.right, window.bottom - visible.bottom};
}

}  // namespace wmp
