#include "refengine/RecordJournal.h"

#include <algorithm>
#include <cstring>

namespace refengine {
namespace {

// Paths and image bytes are copied only up to these lengths.
constexpr size_t kMaxPathUnits = 32768;
constexpr size_t kMaxImageBytes = 4096;

size_t BoundedLength(const char* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != 0) ++length;
  return length;
}

}  // namespace

void DescribeEvent(JournalLine& line, const EventRecord& event) {
  line.Number("x", event.x)
      .Number("y", event.y)
      .Number("hwheel", event.horizontalWheel)
      .Number("vwheel", event.verticalWheel)
      .Number("key", event.key)
      .Number("flags", event.flags)
      .Bytes("raw", &event, sizeof event);
}

void DescribeTrack(JournalLine& line, const TrackRecord& track) {
  line.Number("size", track.size)
      .Number("mask", track.mask)
      .Number("year", track.year)
      .WideText("title", track.title, TrackRecord::kTextUnits)
      .WideText("artist", track.artist, TrackRecord::kTextUnits)
      .WideText("album", track.album, TrackRecord::kTextUnits)
      .Bytes("raw", &track, sizeof track);
}

void DescribePixelBuffer(JournalLine& line, const PixelBufferDesc& buffer) {
  line.Number("format", buffer.format)
      .Number("stride", buffer.stride)
      .Number("width", buffer.width)
      .Number("height", buffer.height)
      .Number("planes", buffer.planes)
      .Address("pixels", buffer.pixels)
      .Bytes("raw", &buffer, sizeof buffer);
}

void DescribeArt(JournalLine& line, const ArtRecord& art) {
  line.Code("kind", art.kind);
  const ArtRecord::Payload& payload = art.payload;
  switch (art.kind) {
    case ArtKind::kBitmap:
      line.Address("bitmap", payload.handle);
      break;
    case ArtKind::kWidePathZ:
      if (payload.widePathZ) line.WideText("path", payload.widePathZ, kMaxPathUnits);
      break;
    case ArtKind::kUtf8Path:
      if (payload.utf8Path) {
        line.Text("path", {payload.utf8Path, BoundedLength(payload.utf8Path, kMaxPathUnits)});
      }
      break;
    case ArtKind::kCountedWidePath:
      line.Number("length", payload.countedWidePath.length);
      if (payload.countedWidePath.path) {
        line.WideText("path", payload.countedWidePath.path,
                      std::min<size_t>(payload.countedWidePath.length, kMaxPathUnits));
      }
      break;
    case ArtKind::kImageBytes:
      line.Number("bytes", payload.image.byteCount);
      if (payload.image.bytes) {
        line.Bytes("data", payload.image.bytes,
                   std::min<size_t>(payload.image.byteCount, kMaxImageBytes));
      }
      break;
    case ArtKind::kPixelBuffer:
      if (payload.pixelBuffer) {
        const PixelBufferDesc& buffer = *payload.pixelBuffer;
        line.Number("width", buffer.width)
            .Number("height", buffer.height)
            .Number("stride", buffer.stride)
            .Address("pixels", buffer.pixels);
      }
      break;
    default:
      break;
  }
  line.Bytes("raw", &art, sizeof art);
}

void DescribePreference(JournalLine& line, const PreferenceAnswer& value) {
  line.Text("type", value.type > 0x20 && value.type < 0x7F ? std::string(1, char(value.type)) : "")
      .Number("length", value.length);
  switch (value.type) {
    case 'F':
      line.Text("value", std::to_string(value.value.real));
      break;
    case 'f':
      line.Text("value", std::to_string(value.value.single));
      break;
    case 's':
      if (value.value.pointer) {
        const char* text = static_cast<const char*>(value.value.pointer);
        line.Text("value", value.length < 0
                               ? std::string_view(text, BoundedLength(text, kMaxPathUnits))
                               : std::string_view(text, size_t(value.length)));
      }
      break;
    case 'W':
      if (value.value.pointer) {
        line.WideText("value", static_cast<const char16_t*>(value.value.pointer),
                      size_t(std::max(value.length, 0)) / 2);
      }
      break;
    default:
      line.Number("value", value.value.integer);
      break;
  }
  line.Bytes("raw", &value, sizeof value);
}

void DescribeRect(JournalLine& line, const EngineRect& rect) {
  line.Number("left", rect.left)
      .Number("top", rect.top)
      .Number("right", rect.right)
      .Number("bottom", rect.bottom);
}

}  // namespace refengine
