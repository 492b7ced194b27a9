// The records of the Winamp visualization interface, as players that load Winamp
// visualization plug-ins lay them out, and the service objects of the player's service
// interface.
//
// These are read and written by a player built with another compiler, so every layout is
// spelled out: plain C structures with the player's natural alignment (pointer-sized fields
// are 8 bytes in the 64-bit build, 4 in the 32-bit one), and the service objects' function
// table as an explicit table of pointers with the calling convention the player's compiler
// uses for member functions. The static_asserts pin every offset for both builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vis_Omnihost/ComRecords.h"

#if defined(_WIN32) && !defined(_WIN64)
#define WINAMP_CALL __cdecl
// Member functions of the player's objects take the object in ECX on 32-bit Windows.
#define WINAMP_MEMBER_CALL __attribute__((thiscall))
#else
#define WINAMP_CALL
#define WINAMP_MEMBER_CALL
#endif

namespace winamp {

using Window = void*;    // HWND
using Instance = void*;  // HINSTANCE

constexpr int32_t kHeaderVersion = 0x101;
constexpr int kBinCount = 576;  // spectrum bins and waveform samples per channel

struct VisModule;
using ModuleGetter = VisModule*(WINAMP_CALL*)(int32_t index);
using ModuleConfig = void(WINAMP_CALL*)(VisModule* module);
using ModuleInit = int32_t(WINAMP_CALL*)(VisModule* module);
using ModuleRender = int32_t(WINAMP_CALL*)(VisModule* module);
using ModuleQuit = void(WINAMP_CALL*)(VisModule* module);

// What winampVisGetHeader returns.
struct VisHeader {
  int32_t version;  // kHeaderVersion
  const char* description;
  ModuleGetter getModule;
};

// One visualization module. The player fills parent, instance, rate and channels before Init,
// and the spectrum and waveform areas before every Render.
struct VisModule {
  const char* description;
  Window parent;
  Instance instance;
  int32_t sampleRate;
  int32_t channels;
  int32_t latencyMs;
  int32_t delayMs;
  int32_t spectrumChannels;
  int32_t waveformChannels;
  uint8_t spectrum[2][kBinCount];  // unsigned 8-bit bins, channel 0 then channel 1
  int8_t waveform[2][kBinCount];   // signed 8-bit samples, channel 0 then channel 1
  ModuleConfig config;
  ModuleInit init;
  ModuleRender render;
  ModuleQuit quit;
  void* userData;
};

// Rectangle as the player keeps it (a RECT).
struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The embedding record: the player's function for message 505 makes a skinned frame window
// from it, stores the frame's handle in `frame` and keeps `rect` up to date while it lives.
struct EmbedState {
  Window frame;
  int32_t flags;
  Rect rect;
  void* user;
  int32_t extra[64];
};
constexpr int32_t kEmbedFlagVisualization = 2;
using EmbedFunction = Window(WINAMP_CALL*)(EmbedState* state);

// Message 3026: one field of a file's extended information, as UTF-16 text.
struct ExtendedFileInfoQuery {
  const char16_t* fileName;
  const char16_t* field;
  char16_t* result;
  size_t resultSize;  // in UTF-16 units
};
constexpr size_t kExtendedInfoResultUnits = 1024;

// A service object of the player: an object whose first field points to a table whose first
// entry dispatches every call by message number. Each of `params` points to one argument; the
// answer goes to `result`. The dispatch returns 1 when it handled the message.
struct ServiceObject;
using ServiceDispatch = int32_t(WINAMP_MEMBER_CALL*)(ServiceObject* self, int32_t message,
                                                     void* result, void** params,
                                                     int32_t paramCount);
struct ServiceTable {
  ServiceDispatch dispatch;
};
struct ServiceObject {
  const ServiceTable* table;
};

// Dispatch messages of the service objects. As everywhere in this interface, params[i] holds
// the address of argument i, so an argument that is itself a pointer is passed as the address
// of a pointer variable.
namespace service {
// Service interface. Argument: ServiceGuid (params[0] is a const ServiceGuid*).
// *result: the service's ServiceObject*.
constexpr int32_t kGetServiceByGuid = 50;
// Any service: gives it back. No arguments, no result.
constexpr int32_t kRelease = -2;
// Memory service. Argument: void* block (params[0] is a void**). No result.
constexpr int32_t kFree = 10;
// Album-art service. Arguments: const char16_t* file, const char16_t* type ("cover"),
// int32_t* width, int32_t* height, uint32_t** pixels (params[i] is the address of each of
// these five variables). *result: int32_t, 0 when the picture was found; the pixels are 32-bit
// ARGB, width * height of them, allocated by the player and freed through the memory service.
constexpr int32_t kGetAlbumArt = 10;
// What the dispatch returns when it knew the message.
constexpr int32_t kHandled = 1;
}  // namespace service

// The GUID of a service, laid out as the system's GUID.
using ServiceGuid = omnihost::Guid;
constexpr ServiceGuid kMemoryServiceGuid = {
    0x000CF46E, 0x4DF6, 0x4A43, {0xBB, 0xE7, 0x40, 0xE7, 0xA3, 0xEA, 0x02, 0xED}};
constexpr ServiceGuid kAlbumArtServiceGuid = {
    0xAC4C4468, 0xF91F, 0x41F3, {0xA5, 0xFA, 0xE2, 0xB8, 0x1D, 0xC6, 0xEB, 0x3A}};

#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(VisHeader) == 24);
static_assert(offsetof(VisHeader, description) == 8);
static_assert(offsetof(VisHeader, getModule) == 16);

static_assert(offsetof(VisModule, parent) == 8);
static_assert(offsetof(VisModule, instance) == 16);
static_assert(offsetof(VisModule, sampleRate) == 24);
static_assert(offsetof(VisModule, channels) == 28);
static_assert(offsetof(VisModule, latencyMs) == 32);
static_assert(offsetof(VisModule, delayMs) == 36);
static_assert(offsetof(VisModule, spectrumChannels) == 40);
static_assert(offsetof(VisModule, waveformChannels) == 44);
static_assert(offsetof(VisModule, spectrum) == 48);
static_assert(offsetof(VisModule, waveform) == 1200);
static_assert(offsetof(VisModule, config) == 2352);
static_assert(offsetof(VisModule, init) == 2360);
static_assert(offsetof(VisModule, render) == 2368);
static_assert(offsetof(VisModule, quit) == 2376);
static_assert(offsetof(VisModule, userData) == 2384);
static_assert(sizeof(VisModule) == 2392);

static_assert(offsetof(EmbedState, flags) == 8);
static_assert(offsetof(EmbedState, rect) == 12);
static_assert(offsetof(EmbedState, user) == 32);
static_assert(offsetof(EmbedState, extra) == 40);
static_assert(sizeof(EmbedState) == 296);

static_assert(offsetof(ExtendedFileInfoQuery, field) == 8);
static_assert(offsetof(ExtendedFileInfoQuery, result) == 16);
static_assert(offsetof(ExtendedFileInfoQuery, resultSize) == 24);
static_assert(sizeof(ExtendedFileInfoQuery) == 32);

static_assert(sizeof(ServiceObject) == 8);
static_assert(sizeof(ServiceTable) == 8);
#else
static_assert(sizeof(VisHeader) == 12);
static_assert(offsetof(VisHeader, description) == 4);
static_assert(offsetof(VisHeader, getModule) == 8);

static_assert(offsetof(VisModule, parent) == 4);
static_assert(offsetof(VisModule, instance) == 8);
static_assert(offsetof(VisModule, sampleRate) == 12);
static_assert(offsetof(VisModule, channels) == 16);
static_assert(offsetof(VisModule, latencyMs) == 20);
static_assert(offsetof(VisModule, delayMs) == 24);
static_assert(offsetof(VisModule, spectrumChannels) == 28);
static_assert(offsetof(VisModule, waveformChannels) == 32);
static_assert(offsetof(VisModule, spectrum) == 36);
static_assert(offsetof(VisModule, waveform) == 1188);
static_assert(offsetof(VisModule, config) == 2340);
static_assert(offsetof(VisModule, init) == 2344);
static_assert(offsetof(VisModule, render) == 2348);
static_assert(offsetof(VisModule, quit) == 2352);
static_assert(offsetof(VisModule, userData) == 2356);
static_assert(sizeof(VisModule) == 2360);

static_assert(offsetof(EmbedState, flags) == 4);
static_assert(offsetof(EmbedState, rect) == 8);
static_assert(offsetof(EmbedState, user) == 24);
static_assert(offsetof(EmbedState, extra) == 28);
static_assert(sizeof(EmbedState) == 284);

static_assert(offsetof(ExtendedFileInfoQuery, field) == 4);
static_assert(offsetof(ExtendedFileInfoQuery, result) == 8);
static_assert(offsetof(ExtendedFileInfoQuery, resultSize) == 12);
static_assert(sizeof(ExtendedFileInfoQuery) == 16);

static_assert(sizeof(ServiceObject) == 4);
static_assert(sizeof(ServiceTable) == 4);
#endif
static_assert(sizeof(Rect) == 16);
static_assert(sizeof(ServiceGuid) == 16);

}  // namespace winamp
