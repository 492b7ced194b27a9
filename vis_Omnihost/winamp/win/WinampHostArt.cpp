// Album art for the engine from the player: a bitmap or a file path from players that answer
// the extended messages, otherwise pixels from the player's album-art service. What the host
// hands over it takes back when the engine releases it.
#include <limits>

#include "utility/TextRules.h"
#include "vis_Omnihost/winamp/WinampMessages.h"
#include "vis_Omnihost/winamp/win/PlayerText.h"
#include "vis_Omnihost/winamp/win/WinampHost.h"

namespace winamp {

namespace {

void SetArt(ArtRecord* art, uint32_t kind, const void* data) {
  art->kind = kind;
  art->payload.handle = const_cast<void*>(data);
}

}  // namespace

int32_t WinampHost::HandleGArt(ArtRecord* art) {
  if (art == nullptr) return NVStatus::kNotHandled;
  SetArt(art, ArtKind::kNone, nullptr);
  int32_t result = NVStatus::kNotHandled;
  if (mKind.extended) {
    auto bitmap = reinterpret_cast<HGDIOBJ>(SendPlayer(command::kExtendedAlbumBitmap));
    // Whatever else the player answers is no picture the engine could draw.
    if (bitmap != nullptr && GetObjectType(bitmap) == OBJ_BITMAP) {
      SetArt(art, ArtKind::kBitmap, bitmap);
      return NVStatus::kOk;
    }
    result = NVStatus::kNoAlbumArt;
    if (!mKind.jetAudio) {
      const auto* path =
          reinterpret_cast<const char16_t*>(SendPlayer(command::kExtendedAlbumArtPath));
      // The player's text may change under the engine; the engine reads a copy of ours.
      if (path != nullptr) mArtPath.assign(path, text_rules::BoundedLength(path, kPlayerTextBound));
      if (path != nullptr && !mArtPath.empty()) {
        SetArt(art, ArtKind::kWidePathZ, mArtPath.c_str());
        return NVStatus::kOk;
      }
    }
  }
  if (!mServices.HaveBoth()) return result;
  const auto* file = reinterpret_cast<const char16_t*>(
      SendMessageW(mPlayer, kPlayerMessage, 0, command::kPlayingFileName));
  if (file == nullptr) return NVStatus::kNoAlbumArt;
  int32_t width = 0;
  int32_t height = 0;
  uint32_t* pixels = nullptr;
  if (!mServices.GetAlbumArt(file, &width, &height, &pixels)) return NVStatus::kNoAlbumArt;
  if (width > std::numeric_limits<int32_t>::max() / 4) {
    mServices.Free(pixels);
    return NVStatus::kNoAlbumArt;
  }
  auto* buffer = new PixelBufferDesc();
  buffer->format = PixelBufferDesc::kFormat32;
  buffer->stride = width * 4;
  buffer->width = width;
  buffer->height = height;
  buffer->planes = 1;
  buffer->pixels = pixels;
  SetArt(art, ArtKind::kPixelBuffer, buffer);
  return NVStatus::kOk;
}

int32_t WinampHost::HandleRArt(ArtRecord* art) {
  if (art == nullptr || art->payload.handle == nullptr) return NVStatus::kNotHandled;
  switch (art->kind) {
    case ArtKind::kBitmap:
      DeleteObject(static_cast<HGDIOBJ>(art->payload.handle));
      break;
    case ArtKind::kPixelBuffer: {
      const PixelBufferDesc* buffer = art->payload.pixelBuffer;
      if (buffer->pixels != nullptr) mServices.Free(buffer->pixels);
      delete buffer;
      break;
    }
    default:
      return NVStatus::kNotHandled;
  }
  art->payload.handle = nullptr;
  return NVStatus::kOk;
}

}  // namespace winamp
