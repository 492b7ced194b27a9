// The media center's visualization objects as the control receives them: plain objects with
// a table of virtual operations (not COM objects), whose addresses the media center's
// automation method 35 returns. The media center is built with the platform's C++ compiler, so
// in a 32-bit process its virtual operations take the object in a register (__thiscall); in a
// 64-bit process there is one calling convention. Operations are used by position only; the
// positions this system does not call are kept as opaque slots.
//
// Both the control (which calls them) and the stand-in media center (which provides them)
// use these declarations.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define JMC_OBJECT_CALL __thiscall
#else
#define JMC_OBJECT_CALL
#endif

namespace jmc {

// The sample block of the visualization data object: two channels' waveform as signed 8-bit
// samples, then two channels' spectrum as unsigned 8-bit values.
constexpr int kWaveformSamples = 1024;
constexpr int kSpectrumValues = 512;
constexpr size_t kFirstWaveform = 0;
constexpr size_t kSecondWaveform = 1024;
constexpr size_t kFirstSpectrum = 2048;
constexpr size_t kSecondSpectrum = 2560;
constexpr size_t kSampleBlockBytes = 3072;

// Texts of the visualization data object by index (zero-terminated UTF-16).
namespace VisText {
constexpr int32_t kArtist = 0;
constexpr int32_t kAlbum = 1;
constexpr int32_t kTitle = 2;
constexpr int32_t kYear = 3;
constexpr int32_t kAlbumArtFile = 5;
}  // namespace VisText

// The argument of the destroy operation, and of the change query.
constexpr uint32_t kDestroyFlags = 1;
constexpr int32_t kTrackChangeQuery = 3;

struct VisData;
struct VisDataTable {
  void* (JMC_OBJECT_CALL* destroy)(VisData* self, uint32_t flags);             // 0
  void (JMC_OBJECT_CALL* refresh)(VisData* self);                             // 1
  void* slot2;                                                                 // 2
  const uint8_t* (JMC_OBJECT_CALL* sampleBlock)(VisData* self);                // 3: or null
  int32_t (JMC_OBJECT_CALL* changed)(VisData* self, int32_t what);             // 4
  void* slot5;                                                                 // 5
  const char16_t* (JMC_OBJECT_CALL* text)(VisData* self, int32_t index);       // 6: or null
};
struct VisData {
  const VisDataTable* table;
};

struct RedrawHelper;
struct RedrawHelperTable {
  void* (JMC_OBJECT_CALL* destroy)(RedrawHelper* self, uint32_t flags);  // 0
  // The window the media center redraws, 0, and the frame rate.
  void (JMC_OBJECT_CALL* setWindow)(RedrawHelper* self, void* window, int32_t zero,
                                    float framesPerSecond);  // 1
};
struct RedrawHelper {
  const RedrawHelperTable* table;
};

// Operations sit one address apart, in the 64-bit and the 32-bit build alike.
constexpr size_t kSlot = sizeof(void*);
static_assert(kSlot == 8 || kSlot == 4);
static_assert(offsetof(VisDataTable, refresh) == 1 * kSlot);
static_assert(offsetof(VisDataTable, sampleBlock) == 3 * kSlot);
static_assert(offsetof(VisDataTable, changed) == 4 * kSlot);
static_assert(offsetof(VisDataTable, text) == 6 * kSlot);
static_assert(sizeof(VisDataTable) == (kSlot == 8 ? 56 : 28));
static_assert(offsetof(RedrawHelperTable, setWindow) == (kSlot == 8 ? 8 : 4));
static_assert(sizeof(RedrawHelperTable) == (kSlot == 8 ? 16 : 8));
static_assert(sizeof(VisData) == kSlot && sizeof(RedrawHelper) == kSlot);

}  // namespace jmc
