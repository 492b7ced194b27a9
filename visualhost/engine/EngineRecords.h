// The records a host and the visual engine exchange through SetTarget, Request and the engine's
// request callback.
//
// Every record is packed and little-endian. Records that hold addresses shrink in a 32-bit
// build because the addresses do; the explicit filler fields below exist only where the 64-bit
// layout has a gap, so the same declarations give the engine's offsets in both builds. The
// static_asserts after each record pin every offset for the build being compiled.
#pragma once

#include <cstddef>
#include <cstdint>

#include "visualhost/engine/EngineInterface.h"

#if UINTPTR_MAX > 0xFFFFFFFFu
#define NV_ENGINE_RECORDS_64 1
#else
#define NV_ENGINE_RECORDS_64 0
#endif

#pragma pack(push, 1)

// Input event ('Evnt').
struct EventRecord {
  int32_t x;                // mouse messages: low 16 bits of lParam, sign-extended
  int32_t y;                // mouse messages: high 16 bits of lParam, sign-extended
  int32_t horizontalWheel;  // whole steps of 120
  int32_t verticalWheel;    // whole steps of 120, sign inverted
  uint16_t key;             // character or special key code
  uint16_t reserved1;
  uint32_t flags;  // event kind | modifier bits
  uint8_t reserved2[8];
};

namespace EventKind {
constexpr uint32_t kKey = 0x0;
constexpr uint32_t kSysChar = 0x2;
constexpr uint32_t kKeyUp = 0x200;
constexpr uint32_t kLeftDown = 0x10;
constexpr uint32_t kLeftUp = 0x210;
constexpr uint32_t kLeftDoubleClick = 0x80;
constexpr uint32_t kRightDown = 0x20;
constexpr uint32_t kRightUp = 0x220;
constexpr uint32_t kMiddleDown = 0x40;
constexpr uint32_t kMiddleUp = 0x240;
constexpr uint32_t kWheel = 0x1000;
}  // namespace EventKind

namespace EventModifier {
constexpr uint32_t kShift = 0x1;
constexpr uint32_t kAlt = 0x2;
constexpr uint32_t kCtrl = 0x4;
}  // namespace EventModifier

// Key codes of the special keys, as the engine expects them in EventRecord::key.
namespace SpecialKey {
constexpr uint16_t kUp = 0xF700;
constexpr uint16_t kDown = 0xF701;
constexpr uint16_t kLeft = 0xF702;
constexpr uint16_t kRight = 0xF703;
constexpr uint16_t kHome = 0xF729;
constexpr uint16_t kEnd = 0xF72B;
constexpr uint16_t kPageUp = 0xF72C;
constexpr uint16_t kPageDown = 0xF72D;
}  // namespace SpecialKey

// Track information ('Trck'). Texts are UTF-16, at most 255 units and zero-terminated.
struct TrackRecord {
  static constexpr uint32_t kSize = 3100;
  static constexpr uint32_t kMask = 0xE0;
  static constexpr int kTextUnits = 256;

  uint32_t size;  // kSize
  uint32_t mask;  // kMask
  uint8_t reserved1[4];
  int32_t year;
  uint8_t reserved2[12];
  char16_t title[kTextUnits];
  char16_t artist[kTextUnits];
  char16_t album[kTextUnits];
  uint8_t reserved3[1536];
};

// Parameters of the engine's spectrum bands, which a host computing bands from samples reads.
struct SpectrumParams {
  float low;         // Hz, centre of band 0
  float high;        // Hz, the frequency band N would have
  float maxCycles;   // periods per band when neither duration bound applies
  float minSeconds;  // shortest stretch a band is measured over
  float maxSeconds;  // longest stretch a band is measured over
  int32_t linear;    // non-zero: linear band spacing; zero: logarithmic
};

// Audio wanted by the engine ('GetS'). The engine owns the record and both buffers; the host
// copies at most the wanted numbers of values and writes the delivered counts.
struct AudioRequest {
  int32_t size;  // sizeof(AudioRequest)
  int32_t samplesWanted;
  float* samples;
  int32_t samplesDelivered;
  int32_t bandsWanted;
  const SpectrumParams* spectrumParams;
  float* bands;
  int32_t bandsDelivered;
#if NV_ENGINE_RECORDS_64
  uint32_t reserved;  // keeps the time fields on 8-byte boundaries
#endif
  int64_t timeField;
  int64_t requestTimeMs;
};

// Pixel buffer target (SetTarget kind 1) and the payload of the art kind 'Fbuf'.
struct PixelBufferDesc {
  static constexpr uint32_t kFormat32 = 14624;  // 4 bytes per pixel, the only format used

  uint32_t format;
  int32_t stride;  // bytes per row
  int32_t width;
  int32_t height;
  int32_t planes;  // 1
  void* pixels;    // first row
  uint8_t reserved[16];
};

namespace ArtKind {
constexpr uint32_t kNone = 0;
constexpr uint32_t kBitmap = FourCC("HBit");           // payload.handle: an HBITMAP
constexpr uint32_t kWidePathZ = FourCC("FlW2");        // payload.widePathZ
constexpr uint32_t kPixelBuffer = FourCC("Fbuf");      // payload.pixelBuffer
constexpr uint32_t kUtf8Path = FourCC("Fil8");         // payload.utf8Path
constexpr uint32_t kImageBytes = FourCC("IBuf");       // payload.image
constexpr uint32_t kCountedWidePath = FourCC("FilW");  // payload.countedWidePath
}  // namespace ArtKind

// Album art ('CArt' from the host; 'GArt' and 'RArt' from the engine). The host that answered
// 'GArt' owns the payload until the engine hands the same record back with 'RArt'.
struct ArtRecord {
  uint32_t kind;  // ArtKind; 0 = no art
#if NV_ENGINE_RECORDS_64
  uint32_t reserved1;
#endif
  void* reserved2;
  union Payload {
    void* handle;
    const char16_t* widePathZ;  // zero-terminated
    const PixelBufferDesc* pixelBuffer;
    const char* utf8Path;  // zero-terminated
    struct {
      const void* bytes;
      uint32_t byteCount;
    } image;
    struct {
      uint32_t length;  // in UTF-16 units
#if NV_ENGINE_RECORDS_64
      uint32_t reserved;
#endif
      const char16_t* path;
    } countedWidePath;
    uint8_t raw[16];
  } payload;
};

// Answer to 'GPrf' (and the value given with 'SPrf'): a type letter, a length and the value.
struct PreferenceAnswer {
  uint32_t type;   // '*', 'C', 'I', 'c', 'i', 'b', 'F', 'f', 's', 'W'; 0 = no value
  int32_t length;  // 's': bytes (negative: zero-terminated); 'W': bytes
  union Value {
    const void* pointer;
    int64_t integer;
    double real;
    float single;  // in the low 4 bytes
    uint8_t raw[8];
  } value;
};

// Answer to a line-list request: 8-bit text of `length` bytes.
struct ListAnswer {
  const char* text;
  int32_t length;
  uint32_t reserved;
};

// Rectangle of four 32-bit integers: the window placement answered to 'Wind' and the covered
// insets sent with 'Nset'.
struct EngineRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

#pragma pack(pop)

static_assert(sizeof(EventRecord) == 32);
static_assert(offsetof(EventRecord, x) == 0);
static_assert(offsetof(EventRecord, y) == 4);
static_assert(offsetof(EventRecord, horizontalWheel) == 8);
static_assert(offsetof(EventRecord, verticalWheel) == 12);
static_assert(offsetof(EventRecord, key) == 16);
static_assert(offsetof(EventRecord, reserved1) == 18);
static_assert(offsetof(EventRecord, flags) == 20);
static_assert(offsetof(EventRecord, reserved2) == 24);

static_assert(sizeof(TrackRecord) == TrackRecord::kSize);
static_assert(offsetof(TrackRecord, size) == 0);
static_assert(offsetof(TrackRecord, mask) == 4);
static_assert(offsetof(TrackRecord, year) == 12);
static_assert(offsetof(TrackRecord, title) == 28);
static_assert(offsetof(TrackRecord, artist) == 540);
static_assert(offsetof(TrackRecord, album) == 1052);

static_assert(sizeof(SpectrumParams) == 24);
static_assert(offsetof(SpectrumParams, high) == 4);
static_assert(offsetof(SpectrumParams, maxCycles) == 8);
static_assert(offsetof(SpectrumParams, minSeconds) == 12);
static_assert(offsetof(SpectrumParams, maxSeconds) == 16);
static_assert(offsetof(SpectrumParams, linear) == 20);

static_assert(offsetof(AudioRequest, size) == 0);
static_assert(offsetof(AudioRequest, samplesWanted) == 4);
static_assert(offsetof(AudioRequest, samples) == 8);
#if NV_ENGINE_RECORDS_64
static_assert(sizeof(AudioRequest) == 64);
static_assert(offsetof(AudioRequest, samplesDelivered) == 16);
static_assert(offsetof(AudioRequest, bandsWanted) == 20);
static_assert(offsetof(AudioRequest, spectrumParams) == 24);
static_assert(offsetof(AudioRequest, bands) == 32);
static_assert(offsetof(AudioRequest, bandsDelivered) == 40);
static_assert(offsetof(AudioRequest, timeField) == 48);
static_assert(offsetof(AudioRequest, requestTimeMs) == 56);
#else
static_assert(sizeof(AudioRequest) == 48);
static_assert(offsetof(AudioRequest, samplesDelivered) == 12);
static_assert(offsetof(AudioRequest, bandsWanted) == 16);
static_assert(offsetof(AudioRequest, spectrumParams) == 20);
static_assert(offsetof(AudioRequest, bands) == 24);
static_assert(offsetof(AudioRequest, bandsDelivered) == 28);
static_assert(offsetof(AudioRequest, timeField) == 32);
static_assert(offsetof(AudioRequest, requestTimeMs) == 40);
#endif

static_assert(offsetof(PixelBufferDesc, format) == 0);
static_assert(offsetof(PixelBufferDesc, stride) == 4);
static_assert(offsetof(PixelBufferDesc, width) == 8);
static_assert(offsetof(PixelBufferDesc, height) == 12);
static_assert(offsetof(PixelBufferDesc, planes) == 16);
static_assert(offsetof(PixelBufferDesc, pixels) == 20);
#if NV_ENGINE_RECORDS_64
static_assert(sizeof(PixelBufferDesc) == 44);
static_assert(offsetof(PixelBufferDesc, reserved) == 28);
#else
static_assert(sizeof(PixelBufferDesc) == 40);
static_assert(offsetof(PixelBufferDesc, reserved) == 24);
#endif

static_assert(offsetof(ArtRecord, kind) == 0);
static_assert(sizeof(ArtRecord::Payload) == 16);
#if NV_ENGINE_RECORDS_64
static_assert(sizeof(ArtRecord) == 32);
static_assert(offsetof(ArtRecord, payload) == 16);
static_assert(offsetof(ArtRecord, payload.image.byteCount) == 24);
static_assert(offsetof(ArtRecord, payload.countedWidePath.length) == 16);
static_assert(offsetof(ArtRecord, payload.countedWidePath.path) == 24);
#else
static_assert(sizeof(ArtRecord) == 24);
static_assert(offsetof(ArtRecord, payload) == 8);
static_assert(offsetof(ArtRecord, payload.image.byteCount) == 12);
static_assert(offsetof(ArtRecord, payload.countedWidePath.length) == 8);
static_assert(offsetof(ArtRecord, payload.countedWidePath.path) == 12);
#endif

static_assert(sizeof(PreferenceAnswer) == 16);
static_assert(offsetof(PreferenceAnswer, type) == 0);
static_assert(offsetof(PreferenceAnswer, length) == 4);
static_assert(offsetof(PreferenceAnswer, value) == 8);

static_assert(offsetof(ListAnswer, text) == 0);
#if NV_ENGINE_RECORDS_64
static_assert(sizeof(ListAnswer) == 16);
static_assert(offsetof(ListAnswer, length) == 8);
#else
static_assert(sizeof(ListAnswer) == 12);
static_assert(offsetof(ListAnswer, length) == 4);
#endif

static_assert(sizeof(EngineRect) == 16);
static_assert(offsetof(EngineRect, bottom) == 12);
