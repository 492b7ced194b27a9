#include "refengine/Requests.h"

#include <cstring>
#include <string>

#include "refengine/Controls.h"
#include "refengine/CoverArt.h"
#include "refengine/EngineClock.h"
#include "refengine/Fullscreen.h"
#include "refengine/Preferences.h"
#include "refengine/RecordJournal.h"
#include "refengine/RefEngineControl.h"

namespace refengine {
namespace {

constexpr int64_t kBadArgument = REFENGINE_STATUS_BAD_ARGUMENT;
// Names and script texts longer than this are cut.
constexpr size_t kMaxNameBytes = 4096;
// Where the engine puts its window unless its preferences say otherwise.
constexpr EngineRect kDefaultWindow{64, 48, 64 + 800, 48 + 600};

std::string BoundedText(const void* in) {
  const char* text = static_cast<const char*>(in);
  size_t length = 0;
  while (length < kMaxNameBytes && text[length] != 0) ++length;
  return std::string(text, length);
}

EngineRect OwnWindowChoice() {
  EngineRect rect = kDefaultWindow;
  rect.left = int32_t(IntegerPreference("Window.left").value_or(rect.left));
  rect.top = int32_t(IntegerPreference("Window.top").value_or(rect.top));
  rect.right = int32_t(IntegerPreference("Window.right").value_or(rect.right));
  rect.bottom = int32_t(IntegerPreference("Window.bottom").value_or(rect.bottom));
  return rect;
}

int64_t AnswerWindow(void* in, JournalLine& line) {
  if (!in) return kBadArgument;
  const EngineRect rect = WindowAnswerControl().value_or(OwnWindowChoice());
  std::memcpy(in, &rect, sizeof rect);
  DescribeRect(line, rect);
  return 0;
}

int64_t AnswerFullscreen(const Instance& instance) {
  return FullscreenAnswerControl().value_or(ShowsFullscreen(instance) ? 1 : 0);
}

int64_t TakeEvent(Instance& instance, const void* in, JournalLine& line) {
  if (!in) return kBadArgument;
  EventRecord event;
  std::memcpy(&event, in, sizeof event);
  DescribeEvent(line, event);
  if (const std::optional<int64_t> fixed = EventAnswerControl()) return *fixed;
  if (const std::optional<int64_t> answer = TakeFullscreenKey(instance, event)) return *answer;
  return ApplyEvent(instance.scene, event) ? 0 : NVStatus::kEventNotConsumed;
}

int64_t TakeTrack(Instance& instance, const void* in, JournalLine& line) {
  if (!in) return kBadArgument;
  // The size field comes first; a shorter record must not be read as a whole one.
  uint32_t size = 0;
  std::memcpy(&size, in, sizeof size);
  line.Number("size", size);
  if (size < sizeof(TrackRecord)) return kBadArgument;
  const auto& track = *static_cast<const TrackRecord*>(in);
  DescribeTrack(line, track);
  instance.track.title = WideToUtf8(track.title, TrackRecord::kTextUnits);
  instance.track.artist = WideToUtf8(track.artist, TrackRecord::kTextUnits);
  instance.track.album = WideToUtf8(track.album, TrackRecord::kTextUnits);
  instance.track.year = track.year;
  instance.artWanted = true;
  instance.coverOfEarlierTrack = instance.cover != nullptr;
  return 0;
}

int64_t AnswerPreferenceRequest(const void* in, void* out, JournalLine& line) {
  if (!in || !out) return 0;  // no value
  const std::string name = BoundedText(in);
  line.Text("name", name);
  auto* answer = static_cast<PreferenceAnswer*>(out);
  const bool found = AnswerPreference(name, answer);
  line.Number("found", found ? 1 : 0);
  if (found) DescribePreference(line, *answer);
  return found ? 1 : 0;
}

int64_t StorePreferenceRequest(const void* in, const void* out, JournalLine& line) {
  if (!in || !out) return kBadArgument;
  const std::string name = BoundedText(in);
  const auto& value = *static_cast<const PreferenceAnswer*>(out);
  line.Text("name", name);
  DescribePreference(line, value);
  return StorePreference(name, value) ? 0 : kBadArgument;
}

// A cover pushed by the host replaces the one shown; kind 0 takes it away. Art that does not
// decode changes nothing.
int64_t TakeCoverArt(Instance& instance, const void* in, JournalLine& line) {
  if (!in) return kBadArgument;
  ArtRecord art;
  std::memcpy(&art, in, sizeof art);
  DescribeArt(line, art);
  if (art.kind == ArtKind::kNone) {
    instance.cover.reset();
    instance.coverOfEarlierTrack = false;
    return 0;
  }
  std::shared_ptr<const CoverImage> cover;
  const int32_t status = DecodeArt(art, &cover);
  if (status != 0) return status;
  line.Number("coverWidth", cover->width).Number("coverHeight", cover->height);
  instance.cover = std::move(cover);
  instance.coverOfEarlierTrack = false;
  return 0;
}

int64_t RunMethod(Instance& instance, const void* in, JournalLine& line) {
  if (!in) return kBadArgument;
  const std::string script = BoundedText(in);
  line.Text("script", script);
  SceneState& scene = instance.scene;
  constexpr int kPalettes = SceneState::kPaletteCount;
  if (script == "SwitchupConfigs( 1 )") {
    scene.palette = (scene.palette + 1) % kPalettes;
  } else if (script == "SwitchupConfigs( -1 )") {
    scene.palette = (scene.palette + kPalettes - 1) % kPalettes;
  } else if (script == "RollTheDice()") {
    scene.palette = int(ClockMs() % kPalettes);
  } else if (script == "ToggleMenu()") {
    scene.showTitle = !scene.showTitle;
  } else if (script == "SetFullscreen( True )") {
    return BeginFullscreen(instance);
  } else if (script == "SetFullscreen( False )") {
    return EndFullscreen(instance);
  } else if (script == "ToggleFullscreen()") {
    return ToggleFullscreen(instance);
  } else {
    return NVStatus::kNotHandled;
  }
  return 0;
}

int64_t AnswerIdleSeconds(const Instance& instance) {
  if (instance.target.kind != TargetKind::kNone) return 0;
  return int64_t((ClockMs() - instance.targetLostMs) / 1000);
}

int64_t TakeInsets(Instance& instance, const void* in, JournalLine& line) {
  if (!in) return kBadArgument;
  std::memcpy(&instance.insets, in, sizeof instance.insets);
  DescribeRect(line, instance.insets);
  return 0;
}

}  // namespace

int64_t HandleRequest(Instance& instance, uint32_t code, void* in, void* out, JournalLine& line) {
  switch (code) {
    case HostRequest::kWindowRect:
      return AnswerWindow(in, line);
    case HostRequest::kIsFullscreen:
      return AnswerFullscreen(instance);
    case HostRequest::kEvent:
      return TakeEvent(instance, in, line);
    case HostRequest::kTrack:
      return TakeTrack(instance, in, line);
    case HostRequest::kGetPreference:
      return AnswerPreferenceRequest(in, out, line);
    case HostRequest::kSetPreference:
      return StorePreferenceRequest(in, out, line);
    case HostRequest::kCoverArt:
      return TakeCoverArt(instance, in, line);
    case HostRequest::kMethod:
      return RunMethod(instance, in, line);
    case HostRequest::kStopQuery:
      return AnswerIdleSeconds(instance);
    case HostRequest::kInsets:
      return TakeInsets(instance, in, line);
    case HostRequest::kWritePreferences:
      return WritePreferences();
    default:
      return NVStatus::kNotHandled;
  }
}

}  // namespace refengine
