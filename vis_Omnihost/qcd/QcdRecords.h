// The records of the QCD visual module interface: the module structure the player owns and the
// plug-in fills from QVisualModule0, the player's description of its video buffer, and the
// functions on both sides.
//
// The player was built with another compiler, so each layout is spelled out: plain C structures
// with natural alignment (pointers 8 bytes in the 64-bit build, 4 in the 32-bit one), functions
// with the C calling convention. The static_asserts pin every offset for both builds. Fields the
// plug-in neither reads nor writes are kept as reserved room.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define QCD_CALL __cdecl
#else
#define QCD_CALL
#endif

namespace qcd {

constexpr int32_t kModuleSize = 300;      // what the plug-in writes into the first field
constexpr int32_t kSpectrumWanted = 120;  // spectrum values the plug-in asks the player for
constexpr int kSampleCount = 4352;        // 16-bit samples of room, two channels interleaved
constexpr int kFramesFilled = 1024;       // stereo frames the player fills

// The player's service: (opcode, buffer, two values) -> answer.
using ServiceFn = intptr_t(QCD_CALL*)(int32_t opcode, void* buffer, intptr_t value1,
                                      intptr_t value2);
// Opcode of the service that answers the player's window for visuals (or null).
constexpr int32_t kServiceVisualWindow = 31;

// The plug-in's functions, set into the structure.
using InitFn = int32_t(QCD_CALL*)();
// 0: the picture went to the window; 1: it went into the player's video buffer.
using RenderFn = int32_t(QCD_CALL*)();
// A mouse event of the given type at (value1, value2); 1 when the engine answered non-zero.
using EventFn = int32_t(QCD_CALL*)(int32_t type, int32_t value1, int32_t value2);
using ShutdownFn = void(QCD_CALL*)();

// Event types that reach the engine.
namespace event {
constexpr int32_t kButtonDown = 2;
constexpr int32_t kButtonUp = 3;
constexpr int32_t kDoubleClick = 6;
}  // namespace event

struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The player's video buffer: 32-bit pixels, width × 4 bytes a row.
struct VideoBuffer {
  int32_t reserved;
  void* pixels;
  int32_t width;
  int32_t height;
  Rect rect;
};

struct Module {
  int32_t size;  // kModuleSize
  int32_t reserved0;
  void* reserved1;
  ServiceFn service;  // the player's
  void* reserved2;
  EventFn event;
  RenderFn render;
  InitFn init;
  ShutdownFn shutdown;
  void* cleared[3];
  VideoBuffer* videoBuffer;  // the player's, or null
  int32_t cleared2[2];
  int32_t one;           // 1
  int32_t spectrumSize;  // kSpectrumWanted
  int32_t cleared3[2];
  int16_t samples[kSampleCount];
  double spectrum[kSpectrumWanted];
};

static_assert(sizeof(Rect) == 16);
static_assert(offsetof(Module, size) == 0);
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(offsetof(VideoBuffer, pixels) == 8);
static_assert(offsetof(VideoBuffer, width) == 16);
static_assert(offsetof(VideoBuffer, height) == 20);
static_assert(offsetof(VideoBuffer, rect) == 24);
static_assert(sizeof(VideoBuffer) == 40);

static_assert(offsetof(Module, service) == 16);
static_assert(offsetof(Module, event) == 32);
static_assert(offsetof(Module, render) == 40);
static_assert(offsetof(Module, init) == 48);
static_assert(offsetof(Module, shutdown) == 56);
static_assert(offsetof(Module, cleared) == 64);
static_assert(offsetof(Module, videoBuffer) == 88);
static_assert(offsetof(Module, cleared2) == 96);
static_assert(offsetof(Module, one) == 104);
static_assert(offsetof(Module, spectrumSize) == 108);
static_assert(offsetof(Module, cleared3) == 112);
static_assert(offsetof(Module, samples) == 120);
static_assert(offsetof(Module, spectrum) == 8824);
#else
static_assert(offsetof(VideoBuffer, pixels) == 4);
static_assert(offsetof(VideoBuffer, width) == 8);
static_assert(offsetof(VideoBuffer, height) == 12);
static_assert(offsetof(VideoBuffer, rect) == 16);
static_assert(sizeof(VideoBuffer) == 32);

static_assert(offsetof(Module, service) == 12);
static_assert(offsetof(Module, event) == 20);
static_assert(offsetof(Module, render) == 24);
static_assert(offsetof(Module, init) == 28);
static_assert(offsetof(Module, shutdown) == 32);
static_assert(offsetof(Module, cleared) == 36);
static_assert(offsetof(Module, videoBuffer) == 48);
static_assert(offsetof(Module, cleared2) == 52);
static_assert(offsetof(Module, one) == 60);
static_assert(offsetof(Module, spectrumSize) == 64);
static_assert(offsetof(Module, cleared3) == 68);
static_assert(offsetof(Module, samples) == 76);
static_assert(offsetof(Module, spectrum) == 8784);
#endif

// QVisualModule0(module or null, output or null) -> 1 when the engine is there, else 0.
using QVisualModuleFn = int32_t(QCD_CALL*)(Module* module, void** output);
constexpr char kQVisualModuleName[] = "QVisualModule0";

}  // namespace qcd
