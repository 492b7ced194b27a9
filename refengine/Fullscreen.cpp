#include "refengine/Fullscreen.h"

#include <utility>

#include "refengine/FullscreenWindow.h"
#include "refengine/HostRequests.h"
#include "refengine/RefEngineControl.h"

namespace refengine {
namespace {

constexpr uint16_t kEscape = 0x1B;
constexpr uint16_t kEnter = 0x0D;

int32_t AskHostFullscreen(Instance& instance, bool on) {
  int32_t wish = 1;
  return AskHost(instance, EngineRequest::kFullscreenHost, on ? &wish : nullptr, nullptr,
                 [on](JournalLine& line) { line.Number("on", on ? 1 : 0); });
}

}  // namespace

bool ShowsFullscreen(const Instance& instance) {
  return instance.fullscreenWindow != nullptr || instance.hostFullscreen;
}

int32_t BeginFullscreen(Instance& instance) {
  if (ShowsFullscreen(instance)) return 0;
  const int32_t answer = AskHostFullscreen(instance, true);
  if (answer == 0) {
    instance.hostFullscreen = true;
    return 0;
  }
  if (answer != NVStatus::kNotHandled) return answer;  // the host tried and could not
  NativeWindow window = CreateFullscreenWindow(instance.handle, instance.target);
  if (!window) return REFENGINE_STATUS_NO_WINDOW;
  instance.fullscreenWindow = window;
  AskHost(instance, EngineRequest::kFullscreenStarted, &window, nullptr,
          [window](JournalLine& line) { line.Address("window", window); });
  return 0;
}

int32_t EndFullscreen(Instance& instance) {
  if (instance.fullscreenWindow) {
    CloseOwnFullscreen(instance);
    return 0;
  }
  if (!instance.hostFullscreen) return 0;
  // The host may ask 'GetF' while it switches back, so the state changes after the request.
  const int32_t answer = AskHostFullscreen(instance, false);
  instance.hostFullscreen = false;
  return answer;
}

int32_t ToggleFullscreen(Instance& instance) {
  return ShowsFullscreen(instance) ? EndFullscreen(instance) : BeginFullscreen(instance);
}

std::optional<int64_t> TakeFullscreenKey(Instance& instance, const EventRecord& event) {
  const uint32_t modifiers = event.flags & (EventModifier::kAlt | EventModifier::kCtrl);
  const uint32_t kind =
      event.flags & ~(EventModifier::kShift | EventModifier::kAlt | EventModifier::kCtrl);
  const bool plainKey = kind == EventKind::kKey && modifiers == 0;
  if (plainKey && (event.key == 'f' || event.key == 'F')) return ToggleFullscreen(instance);
  if ((kind == EventKind::kSysChar || kind == EventKind::kKey) &&
      modifiers == EventModifier::kAlt && event.key == kEnter) {
    return ToggleFullscreen(instance);
  }
  if (plainKey && event.key == kEscape && ShowsFullscreen(instance)) {
    return EndFullscreen(instance);
  }
  return std::nullopt;
}

void NoteTargetFlags(Instance& instance, uint32_t oldFlags, uint32_t newFlags) {
  if ((oldFlags & TargetFlags::kFullscreen) && !(newFlags & TargetFlags::kFullscreen)) {
    instance.hostFullscreen = false;
  }
}

void CloseOwnFullscreen(Instance& instance) {
  NativeWindow window = std::exchange(instance.fullscreenWindow, nullptr);
  if (!window) return;
  DestroyFullscreenWindow(window);
  AskHost(instance, EngineRequest::kFullscreenEnded, nullptr, nullptr,
          [window](JournalLine& line) { line.Address("window", window); });
}

void EndFullscreenOf(uint32_t handle) {
  if (const std::shared_ptr<Instance> instance = FindInstance(handle)) EndFullscreen(*instance);
}

}  // namespace refengine
