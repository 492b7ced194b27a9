// Requests the engine sends its host through the callback given to CreateInstance. Only the
// codes of the engine contract are ever sent.
#pragma once

#include <cstdint>
#include <functional>

#include "refengine/Instance.h"
#include "refengine/JournalLine.h"

namespace refengine {

// Sends the request and journals it; `describe` adds what the host answered. An instance
// without a callback gets nothing and "answers" 55012.
int32_t AskHost(const Instance& instance, uint32_t code, void* in, void* out,
                const std::function<void(JournalLine&)>& describe = {});

// The 'GetS' record for the instance's own audio buffers.
AudioRequest AudioRequestFor(Instance& instance);

// 'GetS': fills instance.audio with what the host delivers (nothing on failure).
void FetchAudio(Instance& instance);

// 'GArt', then 'RArt' with the same record once the engine has decoded the cover it gave.
// The cover replaces the one shown; without one, a cover from before the last track goes.
void FetchArt(Instance& instance);

}  // namespace refengine
