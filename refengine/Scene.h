// The picture: spectrum bars and a waveform over a background that follows the palette, with
// the album cover and the track's title and artist. The audio comes from the host when it has
// any; otherwise the picture animates by itself.
#pragma once

#include <windows.h>

#include "refengine/AudioFeed.h"
#include "refengine/CoverImage.h"
#include "refengine/Instance.h"
#include "refengine/SceneState.h"

namespace refengine {

struct SceneInput {
  const SceneState& scene;
  const AudioFeed* audio;  // null: animate without audio
  const TrackInfo& track;
  RECT area;                // where to draw; the rest of the target is left as it was
  const CoverImage* cover;  // null: no album cover
};

void DrawScene(HDC dc, const SceneInput& input);

}  // namespace refengine
