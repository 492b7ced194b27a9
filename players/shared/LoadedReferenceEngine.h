// The reference engine as a stand-in player reaches it: the engine DLL the plug-in loaded into
// the player's process, and its test controls, so that a test can have the engine behave in a
// given way (a fixed frame period, a frame that holds its thread) inside a player.
#pragma once

#include "refengine/RefEngineControl.h"

namespace standin {

// The controls of the reference engine loaded in this process, with every control this build
// knows; null when no reference engine is loaded (a stand-in then journals an unexpected call).
const RefEngineControlApi* LoadedReferenceEngine();

}  // namespace standin
