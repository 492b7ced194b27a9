// The engine function table and the information record entry 1 points to.
#pragma once

#include "visualhost/engine/EngineInterface.h"

namespace refengine {

const EngineTable* TheEngineTable();

// The engine's name, as its information record gives it.
const char* EngineName();

}  // namespace refengine
