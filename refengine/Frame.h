// One frame of an instance: ask the host for audio and art, draw, show the picture on the
// target.
#pragma once

#include "refengine/Instance.h"

namespace refengine {

void RunOneFrame(Instance& instance);

}  // namespace refengine
