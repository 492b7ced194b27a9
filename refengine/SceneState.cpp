#include "refengine/SceneState.h"

#include <algorithm>

namespace refengine {
namespace {

bool ApplyKey(SceneState& scene, uint16_t key) {
  switch (key) {
    case SpecialKey::kLeft:
      scene.palette = (scene.palette + SceneState::kPaletteCount - 1) % SceneState::kPaletteCount;
      return true;
    case SpecialKey::kRight:
      scene.palette = (scene.palette + 1) % SceneState::kPaletteCount;
      return true;
    case SpecialKey::kUp:
      scene.barCount = std::min(scene.barCount * 2, SceneState::kMaxBars);
      return true;
    case SpecialKey::kDown:
      scene.barCount = std::max(scene.barCount / 2, SceneState::kMinBars);
      return true;
    case ' ':
      scene.paused = !scene.paused;
      return true;
    case 't':
    case 'T':
      scene.showTitle = !scene.showTitle;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool ApplyEvent(SceneState& scene, const EventRecord& event) {
  const uint32_t kind =
      event.flags & ~(EventModifier::kShift | EventModifier::kAlt | EventModifier::kCtrl);
  switch (kind) {
    case EventKind::kKey:
      // Key presses only: with Ctrl held the host asks about the control character first.
      return (event.flags & EventModifier::kCtrl) == 0 && ApplyKey(scene, event.key);
    case EventKind::kLeftDown:
      scene.palette = (scene.palette + 1) % SceneState::kPaletteCount;
      return true;
    case EventKind::kWheel:
      if (event.verticalWheel == 0) return false;
      scene.barCount = std::clamp(scene.barCount - 4 * event.verticalWheel, SceneState::kMinBars,
                                  SceneState::kMaxBars);
      return true;
    default:
      return false;
  }
}

}  // namespace refengine
