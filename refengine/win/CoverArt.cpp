#include "refengine/CoverArt.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "refengine/RefEngineControl.h"
#include "refengine/WicImage.h"

namespace refengine {
namespace {

constexpr int32_t kBadArgument = REFENGINE_STATUS_BAD_ARGUMENT;
// Paths longer than this (in UTF-16 units) are not paths a file system takes.
constexpr size_t kMaxPathUnits = 32767;
// Pixel buffers given as art may be at most this many pixels on a side.
constexpr int32_t kMaxBufferSide = 16384;

bool WidePath(const char16_t* text, size_t maxUnits, std::wstring* path) {
  if (!text) return false;
  size_t length = 0;
  while (length < maxUnits && length <= kMaxPathUnits && text[length] != 0) ++length;
  if (length == 0 || length > kMaxPathUnits) return false;
  path->assign(reinterpret_cast<const wchar_t*>(text), length);
  return true;
}

bool Utf8Path(const char* text, std::wstring* path) {
  if (!text) return false;
  size_t length = 0;
  while (length <= kMaxPathUnits * 3 && text[length] != 0) ++length;
  if (length == 0 || length > kMaxPathUnits * 3) return false;
  const int units =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, int(length), nullptr, 0);
  if (units <= 0 || size_t(units) > kMaxPathUnits) return false;
  path->assign(size_t(units), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, int(length), path->data(), units);
  return true;
}

// Copies a host's pixel buffer, sampling it down to fit CoverImage::kMaxSide.
int32_t CopyPixelBuffer(const PixelBufferDesc* buffer, CoverImage* image) {
  if (!buffer || buffer->format != PixelBufferDesc::kFormat32 || !buffer->pixels ||
      buffer->width <= 0 || buffer->height <= 0 || buffer->width > kMaxBufferSide ||
      buffer->height > kMaxBufferSide || buffer->stride < buffer->width * 4) {
    return kBadArgument;
  }
  const int side = std::max(buffer->width, buffer->height);
  const int limit = CoverImage::kMaxSide;
  image->width = side > limit ? std::max(1, buffer->width * limit / side) : buffer->width;
  image->height = side > limit ? std::max(1, buffer->height * limit / side) : buffer->height;
  image->pixels.resize(size_t(image->width) * size_t(image->height));
  const auto* rows = static_cast<const uint8_t*>(buffer->pixels);
  for (int y = 0; y < image->height; ++y) {
    const int sourceY = int(int64_t(y) * buffer->height / image->height);
    const auto* row = reinterpret_cast<const uint32_t*>(rows + ptrdiff_t(sourceY) * buffer->stride);
    for (int x = 0; x < image->width; ++x) {
      image->pixels[size_t(y) * size_t(image->width) + size_t(x)] =
          row[int64_t(x) * buffer->width / image->width];
    }
  }
  return 0;
}

int32_t DecodeInto(const ArtRecord& art, CoverImage* image) {
  const ArtRecord::Payload& payload = art.payload;
  std::wstring path;
  switch (art.kind) {
    case ArtKind::kUtf8Path:
      return Utf8Path(payload.utf8Path, &path) ? DecodeImageFile(path, image) : kBadArgument;
    case ArtKind::kWidePathZ:
      return WidePath(payload.widePathZ, kMaxPathUnits + 1, &path) ? DecodeImageFile(path, image)
                                                                   : kBadArgument;
    case ArtKind::kCountedWidePath:
      if (payload.countedWidePath.length == 0 || payload.countedWidePath.length > kMaxPathUnits) {
        return kBadArgument;
      }
      return WidePath(payload.countedWidePath.path, payload.countedWidePath.length, &path)
                 ? DecodeImageFile(path, image)
                 : kBadArgument;
    case ArtKind::kImageBytes:
      if (!payload.image.bytes || payload.image.byteCount == 0 ||
          payload.image.byteCount > kMaxArtImageBytes) {
        return kBadArgument;
      }
      return DecodeImageBytes(payload.image.bytes, payload.image.byteCount, image);
    case ArtKind::kBitmap:
      if (!payload.handle || GetObjectType(static_cast<HGDIOBJ>(payload.handle)) != OBJ_BITMAP) {
        return kBadArgument;
      }
      return DecodeBitmapHandle(static_cast<HBITMAP>(payload.handle), image);
    case ArtKind::kPixelBuffer:
      return CopyPixelBuffer(payload.pixelBuffer, image);
    default:
      return kBadArgument;
  }
}

}  // namespace

int32_t DecodeArt(const ArtRecord& art, std::shared_ptr<const CoverImage>* cover) {
  auto image = std::make_shared<CoverImage>();
  const int32_t status = DecodeInto(art, image.get());
  if (status == 0) *cover = std::move(image);
  return status;
}

}  // namespace refengine
