// The colour a Direct3D target is cleared to: it follows the loudness of the host's audio, or
// the animation clock when the host gives none.
#pragma once

#include <cstdint>

#include "refengine/AudioFeed.h"
#include "refengine/SceneState.h"

namespace refengine {

// 0 (silence) to 1: the root mean square of the delivered samples.
float AudioLevel(const AudioFeed& audio);

// 0x00RRGGBB: dark blue at level 0, bright red at level 1.
uint32_t LevelColour(float level);

// The level of the picture: the audio's (null: none), else a slow swell of the animation.
float PictureLevel(const AudioFeed* audio, const SceneState& scene);

}  // namespace refengine
