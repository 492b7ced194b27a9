// Album art records ('CArt' from the host, the answer to 'GArt') turned into a cover.
#pragma once

#include <cstdint>
#include <memory>

#include "refengine/CoverImage.h"
#include "visualhost/engine/EngineRecords.h"

namespace refengine {

// Largest encoded image the engine reads from a host's memory.
constexpr uint32_t kMaxArtImageBytes = 64u * 1024 * 1024;

// Decodes the record's image. 0 with the cover; REFENGINE_STATUS_BAD_ARGUMENT for a record that
// cannot be right (unknown kind, null or empty payload, a byte count of 0 or above
// kMaxArtImageBytes, a malformed pixel buffer or path); REFENGINE_STATUS_NO_IMAGE when the file or
// bytes do not decode. Kind 0 is not an image either: callers treat it as "no art" first.
int32_t DecodeArt(const ArtRecord& art, std::shared_ptr<const CoverImage>* cover);

}  // namespace refengine
