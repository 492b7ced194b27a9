// Natively the engine has no image codecs: art that names or holds an image is taken as
// readable in form but gives no cover.
#include "refengine/CoverArt.h"

#include "refengine/RefEngineControl.h"

namespace refengine {

int32_t DecodeArt(const ArtRecord& art, std::shared_ptr<const CoverImage>*) {
  switch (art.kind) {
    case ArtKind::kUtf8Path:
    case ArtKind::kWidePathZ:
    case ArtKind::kCountedWidePath:
    case ArtKind::kImageBytes:
    case ArtKind::kBitmap:
    case ArtKind::kPixelBuffer:
      return art.payload.handle ? REFENGINE_STATUS_NO_IMAGE : REFENGINE_STATUS_BAD_ARGUMENT;
    default:
      return REFENGINE_STATUS_BAD_ARGUMENT;
  }
}

}  // namespace refengine
