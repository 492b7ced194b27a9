// The contract between every host of this system and the visual engine library.
//
// The engine is a separately installed DLL. It exports two C functions, bound by name:
//   GetNVVisualAPI(20, &table, nullptr)  -> 0 and a non-null table on success
//   ReleaseNVVisualAPI(table)            -> called once before the library is unloaded
// The table is an array of pointer-sized entries; hosts read entry 1 (an information record)
// and call entries 12, 13, 14, 16 and 17. Everything the engine and the host exchange is plain
// C data with an explicit calling convention, so it does not matter which compiler built the
// engine.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define NV_ENGINE_CALL __cdecl
#else
#define NV_ENGINE_CALL
#endif

// Four-character codes: the first character in the most significant byte, so that the
// code of "Wind" is 0x57696E64.
constexpr uint32_t FourCC(const char (&text)[5]) {
  return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
         (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
}
static_assert(FourCC("Wind") == 0x57696E64);

// Status codes. 0 is success; every failure is a code in the 55000 range.
namespace NVStatus {
constexpr int32_t kOk = 0;
constexpr int32_t kEmptyLibraryPath = 55011;    // also: no LIB entry, no further support folder
constexpr int32_t kNotHandled = 55012;          // request not known
constexpr int32_t kRevisionTooLow = 55015;      // engine.txt REVISION below 1
constexpr int32_t kEventNotConsumed = 55019;    // input event not consumed by the engine
constexpr int32_t kNoInstance = 55021;          // no engine instance; empty LIB entry
constexpr int32_t kProductInfoIncomplete = 55025;  // engine.txt lacks PRODUCT_NAME or VERSION
constexpr int32_t kNullTable = 55034;           // GetNVVisualAPI succeeded without a table
constexpr int32_t kNotLoaded = 55040;           // library not loaded or no table
constexpr int32_t kMissingExport = 55041;
constexpr int32_t kNotStarted = 55050;
constexpr int32_t kFolderNotFound = 55100;      // product or support folder not found
constexpr int32_t kProductInfoTooLarge = 55200;
constexpr int32_t kNoAlbumArt = 55323;          // nothing to give for 'GArt'
}  // namespace NVStatus

// The version every host asks GetNVVisualAPI for.
constexpr int32_t kEngineApiVersion = 20;

// Engine requests: codes the engine sends to its host through the callback.
namespace EngineRequest {
constexpr uint32_t kFullscreenEnded = FourCC("FSEd");
constexpr uint32_t kFullscreenHost = FourCC("FSHt");
constexpr uint32_t kFullscreenPrepare = FourCC("FSPr");
constexpr uint32_t kFullscreenStarted = FourCC("FSSt");
constexpr uint32_t kGetArt = FourCC("GArt");
constexpr uint32_t kGetSamples = FourCC("GetS");
constexpr uint32_t kReleaseArt = FourCC("RArt");
}  // namespace EngineRequest

// Request codes: what hosts ask of the engine through entry 17.
namespace HostRequest {
constexpr uint32_t kWindowRect = FourCC("Wind");
constexpr uint32_t kIsFullscreen = FourCC("GetF");
constexpr uint32_t kEvent = FourCC("Evnt");
constexpr uint32_t kTrack = FourCC("Trck");
constexpr uint32_t kGetPreference = FourCC("GPrf");
constexpr uint32_t kSetPreference = FourCC("SPrf");
constexpr uint32_t kCoverArt = FourCC("CArt");
constexpr uint32_t kMethod = FourCC("Meth");
constexpr uint32_t kStopQuery = FourCC("Stp?");
constexpr uint32_t kInsets = FourCC("Nset");
constexpr uint32_t kWritePreferences = FourCC("WPrf");
}  // namespace HostRequest

// Flags of SetTarget: the kind of target, the fullscreen mark, then the caller's own flags.
namespace TargetFlags {
constexpr uint32_t kPixelBuffer = 1;
constexpr uint32_t kWindow = 4;
constexpr uint32_t kDeviceContext = 8;
constexpr uint32_t kFullscreen = 1024;
}  // namespace TargetFlags

// The engine's request callback: (user data, code, in, out) -> status.
using EngineCallback = int32_t(NV_ENGINE_CALL*)(void* userData, uint32_t code, void* in, void* out);

using EngineCreateInstanceFn = int32_t(NV_ENGINE_CALL*)(uint32_t* instance, int32_t reserved,
                                                        EngineCallback callback, void* userData,
                                                        const char* hostDescriptor);
using EngineDestroyInstanceFn = void(NV_ENGINE_CALL*)(uint32_t instance);
using EngineSetTargetFn = int32_t(NV_ENGINE_CALL*)(uint32_t instance, void* target, void* extra,
                                                   uint32_t flags);
using EngineRunFrameFn = int32_t(NV_ENGINE_CALL*)(uint32_t instance, void* reserved1,
                                                  void* reserved2);
using EngineRequestFn = int64_t(NV_ENGINE_CALL*)(uint32_t instance, uint32_t code, void* in,
                                                 void* out);

// The engine function table, entry by entry. Entries the hosts never use are opaque.
struct EngineTable {
  void* entry0;
  const void* info;                          // 1: information record (read, never called)
  void* entries2to11[10];
  EngineCreateInstanceFn CreateInstance;     // 12
  EngineDestroyInstanceFn DestroyInstance;   // 13
  EngineSetTargetFn SetTarget;               // 14
  void* entry15;
  EngineRunFrameFn RunFrame;                 // 16
  EngineRequestFn Request;                   // 17
};
static_assert(offsetof(EngineTable, info) == 1 * sizeof(void*));
static_assert(offsetof(EngineTable, CreateInstance) == 12 * sizeof(void*));
static_assert(offsetof(EngineTable, DestroyInstance) == 13 * sizeof(void*));
static_assert(offsetof(EngineTable, SetTarget) == 14 * sizeof(void*));
static_assert(offsetof(EngineTable, RunFrame) == 16 * sizeof(void*));
static_assert(offsetof(EngineTable, Request) == 17 * sizeof(void*));
static_assert(sizeof(EngineTable) == 18 * sizeof(void*));

// The information record entry 1 points to: a pointer-sized first value (handed to the QCD
// player as it is) and, in its third field, the engine's description text.
struct EngineInfoRecord {
  void* first;
  void* second;
  const char* description;
};
static_assert(offsetof(EngineInfoRecord, description) == 2 * sizeof(void*));

// The engine library's two exports.
using GetNVVisualAPIFn = int32_t(NV_ENGINE_CALL*)(int32_t version, const EngineTable** table,
                                                  void* reserved);
using ReleaseNVVisualAPIFn = void(NV_ENGINE_CALL*)(const EngineTable* table);
constexpr const char kGetNVVisualAPIName[] = "GetNVVisualAPI";
constexpr const char kReleaseNVVisualAPIName[] = "ReleaseNVVisualAPI";
