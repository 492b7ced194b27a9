// Fullscreen. The engine first offers the host to show the picture fullscreen itself ('FSHt').
// A host that does not handle that (55012) leaves it to the engine, which opens its own
// fullscreen window, draws there instead of the host's target and tells the host ('FSSt');
// closing it draws into the host's target again and tells the host ('FSEd').
#pragma once

#include <cstdint>
#include <optional>

#include "refengine/Instance.h"

namespace refengine {

// True while the picture shows fullscreen, in the engine's window or by the host's doing.
bool ShowsFullscreen(const Instance& instance);

// Each returns 0 or a status; nothing happens when the instance already is as asked.
int32_t BeginFullscreen(Instance& instance);
int32_t EndFullscreen(Instance& instance);
int32_t ToggleFullscreen(Instance& instance);

// The fullscreen keys of an input event: 'f' and Alt+Enter switch, Escape ends fullscreen.
// The answer to the event when it was one of them, else nothing.
std::optional<int64_t> TakeFullscreenKey(Instance& instance, const EventRecord& event);

// A new target from the host: a host that showed the picture fullscreen (flag 1024) and now
// attaches without the flag has left fullscreen by itself.
void NoteTargetFlags(Instance& instance, uint32_t oldFlags, uint32_t newFlags);

// Closes the engine's own fullscreen window, if any, telling the host ('FSEd'); used when the
// host's target or the instance goes.
void CloseOwnFullscreen(Instance& instance);

// The fullscreen window's keys and its closing land here.
void EndFullscreenOf(uint32_t handle);

}  // namespace refengine
