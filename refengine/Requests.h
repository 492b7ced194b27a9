// The host's requests to an instance (table entry 17), code by code.
#pragma once

#include <cstdint>

#include "refengine/Instance.h"
#include "refengine/JournalLine.h"

namespace refengine {

// Answers the request and adds what it received and answered to the journal line. Unknown
// codes answer 55012; a record the code needs but did not get answers 55022.
int64_t HandleRequest(Instance& instance, uint32_t code, void* in, void* out, JournalLine& line);

}  // namespace refengine
