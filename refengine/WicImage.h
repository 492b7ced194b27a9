// Decoding album art with the system's imaging codecs into a CoverImage, scaled down to
// CoverImage::kMaxSide. COM is set up on the calling thread for the duration of the call when it
// is not already.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "refengine/CoverImage.h"

namespace refengine {

// Each returns 0, or REFENGINE_STATUS_NO_IMAGE when there is nothing that decodes.
int32_t DecodeImageFile(const std::wstring& path, CoverImage* image);
int32_t DecodeImageBytes(const void* bytes, uint32_t byteCount, CoverImage* image);
int32_t DecodeBitmapHandle(HBITMAP bitmap, CoverImage* image);

}  // namespace refengine
