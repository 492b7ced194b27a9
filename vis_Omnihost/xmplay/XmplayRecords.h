// The records of the module-query visualization interface, as XMPlay (which loads plug-ins
// written for that interface) lays them out: the information record the module hands out from
// QueryModule, and the data record the player fills before every render.
//
// The player was built with another compiler, so each layout is spelled out: plain C structures
// with natural alignment (pointers 8 bytes in the 64-bit build, 4 in the 32-bit one) and the
// entries with the C calling convention. The static_asserts pin every offset for both builds.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define XMPLAY_CALL __cdecl
#else
#define XMPLAY_CALL
#endif

namespace xmplay {

constexpr int kWaveformSamples = 512;  // per channel
constexpr int kSpectrumValues = 256;   // per channel

// What the player fills before each render: the time stamp of the block's end, two channels
// of signed 8-bit samples and two channels of unsigned 8-bit spectrum values.
struct VisData {
  uint32_t milliseconds;
  int8_t waveform[2][kWaveformSamples];
  uint8_t spectrum[2][kSpectrumValues];
};

// Which data the module asks for: the waveform, and the player's own after-effects.
namespace required {
constexpr int32_t kWaveform = 0x1;
constexpr int32_t kSpectrum = 0x2;
constexpr int32_t kPlayerEffects = 0x4;
}  // namespace required

// The player's interface for questions; this module takes none.
struct QueryInterface;

// A BOOL of the player's system: 32 bits, non-zero for true.
using Bool = int32_t;

using InitializeFn = void(XMPLAY_CALL*)();
// pixels: the first row of the player's 32-bit pixels; pitch: pixels from one row to the next.
using RenderFn = Bool(XMPLAY_CALL*)(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                                    VisData* data);
using SettingsFn = Bool(XMPLAY_CALL*)(char* fileName);
using DeinitFn = Bool(XMPLAY_CALL*)();
using ClickedFn = Bool(XMPLAY_CALL*)(int32_t x, int32_t y, int32_t buttons);
using QueryReceiverFn = Bool(XMPLAY_CALL*)(QueryInterface* query);

// What QueryModule returns, in the interface's order.
struct VisInfo {
  uint32_t version;
  const char* name;
  int32_t required;
  InitializeFn initialize;
  RenderFn render;
  SettingsFn saveSettings;
  SettingsFn openSettings;
  DeinitFn deinitialize;
  ClickedFn clicked;
  QueryReceiverFn receiveQueryInterface;
};

using QueryModuleFn = VisInfo*(XMPLAY_CALL*)();
constexpr char kQueryModuleName[] = "QueryModule";

static_assert(offsetof(VisData, waveform) == 4);
static_assert(offsetof(VisData, spectrum) == 1028);
static_assert(offsetof(VisData, spectrum[1]) == 1284);
static_assert(sizeof(VisData) == 1540);

#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(offsetof(VisInfo, name) == 8);
static_assert(offsetof(VisInfo, required) == 16);
static_assert(offsetof(VisInfo, initialize) == 24);
static_assert(offsetof(VisInfo, render) == 32);
static_assert(offsetof(VisInfo, saveSettings) == 40);
static_assert(offsetof(VisInfo, openSettings) == 48);
static_assert(offsetof(VisInfo, deinitialize) == 56);
static_assert(offsetof(VisInfo, clicked) == 64);
static_assert(offsetof(VisInfo, receiveQueryInterface) == 72);
static_assert(sizeof(VisInfo) == 80);
#else
static_assert(offsetof(VisInfo, name) == 4);
static_assert(offsetof(VisInfo, required) == 8);
static_assert(offsetof(VisInfo, initialize) == 12);
static_assert(offsetof(VisInfo, render) == 16);
static_assert(offsetof(VisInfo, saveSettings) == 20);
static_assert(offsetof(VisInfo, openSettings) == 24);
static_assert(offsetof(VisInfo, deinitialize) == 28);
static_assert(offsetof(VisInfo, clicked) == 32);
static_assert(offsetof(VisInfo, receiveQueryInterface) == 36);
static_assert(sizeof(VisInfo) == 40);
#endif

}  // namespace xmplay
