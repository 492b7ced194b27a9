// The records of RealPlayer's visualization interface: the COM-style objects both sides call
// (each an object whose first field points to an explicit table of operations), the interface
// identifiers, the property set the player hands in, and the player's audio data record.
//
// The tables are spelled out as structures of function pointers, never as compiler-made
// virtual tables, with the COM calling convention (__stdcall in the 32-bit build), so that the
// layout is the one the player expects whatever compiled either side. The player's own
// interface fixes only what this module uses: for the operations the module does not take part
// in (6, 7, 9 and 10) each is given one pointer-sized argument. The static_asserts pin every
// offset for both builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vis_Omnihost/ComRecords.h"

#if defined(_WIN32) && !defined(_WIN64)
#define REALPLAYER_CALL __stdcall
#else
#define REALPLAYER_CALL
#endif

namespace realplayer {

using Result = omnihost::ComResult;
namespace result = omnihost::com_result;

using Guid = omnihost::Guid;

constexpr Guid kUnknownIid = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// What the visualization object answers to besides the unknown interface.
constexpr Guid kVisualizationIid = {
    0x4F19B2B1, 0x8542, 0x4EA5, {0x86, 0xCB, 0x4F, 0xD6, 0x4C, 0x64, 0x17, 0xE5}};
// What initialise asks the player's context for.
constexpr Guid kContextServiceIid = {
    0x00000000, 0x0901, 0x11D1, {0x8B, 0x06, 0x00, 0xA0, 0x24, 0x40, 0x6D, 0x59}};

// Any object of the interface: its first field points to its table, which starts with these.
struct Unknown;
struct UnknownTable {
  Result(REALPLAYER_CALL* queryInterface)(Unknown* self, const Guid* iid, void** object);
  uint32_t(REALPLAYER_CALL* addRef)(Unknown* self);
  uint32_t(REALPLAYER_CALL* release)(Unknown* self);
};
struct Unknown {
  const UnknownTable* table;
};

// The player's property set, of which the module sets unsigned properties.
struct PropertySet;
struct PropertySetTable {
  Result(REALPLAYER_CALL* queryInterface)(PropertySet* self, const Guid* iid, void** object);
  uint32_t(REALPLAYER_CALL* addRef)(PropertySet* self);
  uint32_t(REALPLAYER_CALL* release)(PropertySet* self);
  Result(REALPLAYER_CALL* setUnsigned)(PropertySet* self, const char* name, uint32_t value);
};
struct PropertySet {
  const PropertySetTable* table;
};

// The player's audio data for one frame: a time stamp, two channels of 512 signed 8-bit
// samples, then two channels of 256 unsigned spectrum values.
constexpr int kWaveformSamples = 512;
constexpr int kSpectrumValues = 256;
struct AudioData {
  uint32_t time;
  int8_t waveform[2][kWaveformSamples];
  uint8_t reserved[16];
  uint8_t spectrum[2][kSpectrumValues];
};

// The visualization object's table, in the interface's order.
struct Visualization;
using Window = void*;  // HWND
struct VisualizationTable {
  Result(REALPLAYER_CALL* queryInterface)(Visualization* self, const Guid* iid, void** object);
  uint32_t(REALPLAYER_CALL* addRef)(Visualization* self);
  uint32_t(REALPLAYER_CALL* release)(Visualization* self);
  Result(REALPLAYER_CALL* initialise)(Visualization* self, Unknown* context);
  // Three text buffers: the product name, the maker's name, the maker's web address.
  Result(REALPLAYER_CALL* describe)(Visualization* self, char* product, char* maker, char* address);
  Result(REALPLAYER_CALL* capabilities)(Visualization* self, int32_t* value, uint8_t* flag,
                                        PropertySet* properties);
  Result(REALPLAYER_CALL* operation6)(Visualization* self, void* argument);
  Result(REALPLAYER_CALL* operation7)(Visualization* self, void* argument);
  Result(REALPLAYER_CALL* activate)(Visualization* self, int32_t on);
  Result(REALPLAYER_CALL* operation9)(Visualization* self, void* argument);
  Result(REALPLAYER_CALL* operation10)(Visualization* self, void* argument);
  // The address of the window to draw into (null window: none).
  Result(REALPLAYER_CALL* setWindow)(Visualization* self, const Window* window);
  Result(REALPLAYER_CALL* audio)(Visualization* self, const AudioData* data);
  void(REALPLAYER_CALL* destroy)(Visualization* self);
};
struct Visualization {
  const VisualizationTable* table;
};

// MPACreateVisualization(out) -> 0, with one reference to a new object.
using CreateVisualizationFn = Result(REALPLAYER_CALL*)(Visualization** object);
constexpr char kCreateVisualizationName[] = "MPACreateVisualization";

// Messages the module posts to the window it draws into, handled there on the window's thread.
constexpr uint32_t kAttachMessage = 0x0400 + 8;  // WM_USER + 8
constexpr uint32_t kDetachMessage = 0x0400 + 9;  // WM_USER + 9

static_assert(sizeof(Guid) == 16);
static_assert(offsetof(AudioData, waveform) == 4);
static_assert(offsetof(AudioData, waveform[1]) == 516);
static_assert(offsetof(AudioData, spectrum) == 1044);
static_assert(offsetof(AudioData, spectrum[1]) == 1300);
static_assert(sizeof(AudioData) == 1556);
static_assert(offsetof(UnknownTable, release) == 2 * sizeof(void*));
static_assert(offsetof(PropertySetTable, setUnsigned) == 3 * sizeof(void*));
static_assert(offsetof(VisualizationTable, initialise) == 3 * sizeof(void*));
static_assert(offsetof(VisualizationTable, activate) == 8 * sizeof(void*));
static_assert(offsetof(VisualizationTable, setWindow) == 11 * sizeof(void*));
static_assert(offsetof(VisualizationTable, audio) == 12 * sizeof(void*));
static_assert(offsetof(VisualizationTable, destroy) == 13 * sizeof(void*));
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(VisualizationTable) == 112);
static_assert(sizeof(PropertySetTable) == 32);
#else
static_assert(sizeof(VisualizationTable) == 56);
static_assert(sizeof(PropertySetTable) == 16);
#endif

}  // namespace realplayer
