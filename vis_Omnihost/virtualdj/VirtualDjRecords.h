// The records of VirtualDJ 8's plug-in interface as the video effect side sees them: the class
// and interface identifiers, the plug-in object VirtualDJ holds (its table of operations and the
// fields VirtualDJ writes behind it), the information record, and VirtualDJ's two callback
// objects and the input-event object the plug-in hands back.
//
// VirtualDJ was built with another compiler and declares these as C++ classes, so everything
// is spelled out here as plain structures and explicit tables of function pointers, never as a
// compiler-made virtual table: the plug-in's operations are __stdcall in the 32-bit build, while
// VirtualDJ's callback objects, the input-event object and the destructor slot are member
// functions of that compiler's default convention (this in ECX on 32-bit Windows). The
// destructor takes one slot, as that compiler lays it out. The static_asserts pin every offset
// for both builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vis_Omnihost/ComRecords.h"

#if defined(_WIN32) && !defined(_WIN64)
#define VIRTUALDJ_CALL __stdcall
#define VIRTUALDJ_MEMBER_CALL __attribute__((thiscall))
#else
#define VIRTUALDJ_CALL
#define VIRTUALDJ_MEMBER_CALL
#endif

namespace virtualdj {

using Result = omnihost::ComResult;
namespace result = omnihost::com_result;

using Guid = omnihost::Guid;

// The plug-in class of VirtualDJ 8 and its video effect interface: the only pair answered.
constexpr Guid kPluginClass = {
    0xED8A8D87, 0xF4F9, 0x4DCD, {0xBD, 0x24, 0x29, 0x14, 0x12, 0xE9, 0x3B, 0x60}};
constexpr Guid kVideoEffectInterface = {
    0xBF1876AA, 0x3CBD, 0x404A, {0xBE, 0xAB, 0x5F, 0x8B, 0x51, 0xE3, 0x90, 0xC0}};

// DllGetClassObject(class, interface, out) -> 0 with a new plug-in object, or
// kClassNotAvailable.
using GetClassObjectFn = Result(VIRTUALDJ_CALL*)(const Guid* classId, const Guid* interfaceId,
                                                 void** object);
constexpr char kGetClassObjectName[] = "DllGetClassObject";

// The information record VirtualDJ hands to the plug-in information operation. With
// kInfoExtended in flags on the way in, the record carries the input-event object's address
// after the flags.
struct PluginInfo {
  const char* name;
  const char* author;
  const char* description;
  const char* version;
  void* bitmap;  // HBITMAP
  uint32_t flags;
  void* inputEvents;  // only when flags held kInfoExtended on the way in
};
constexpr uint32_t kInfoExtended = 0x10;
// Added by the plug-in: a visualisation that draws its own picture, and the extended record.
constexpr uint32_t kInfoVisualisationFlags = 0x20004;

// The Direct3D 9 kind of device asked from VirtualDJ's video callbacks.
constexpr int32_t kEngineDirect3D9 = 1;

// VirtualDJ's video callbacks: draw the deck, the device of an engine kind, a deck's texture.
struct VideoCallbacks;
struct VideoCallbacksTable {
  Result(VIRTUALDJ_MEMBER_CALL* drawDeck)(VideoCallbacks* self);
  Result(VIRTUALDJ_MEMBER_CALL* getDevice)(VideoCallbacks* self, int32_t engine, void** device);
  Result(VIRTUALDJ_MEMBER_CALL* getTexture)(VideoCallbacks* self, int32_t engine, void** texture,
                                            void** vertices);
};
struct VideoCallbacks {
  const VideoCallbacksTable* table;
};

// VirtualDJ's general callbacks; the plug-in calls none of them.
struct Callbacks {
  const void* table;
};

// The input-event object the plug-in hands to VirtualDJ: mouse moves, buttons and keys.
// Modifiers are VirtualDJ's bits (kModifier*).
struct InputEvents;
struct InputEventsTable {
  bool(VIRTUALDJ_MEMBER_CALL* mouseMove)(InputEvents* self, int32_t x, int32_t y, int32_t buttons,
                                         int32_t modifiers);
  bool(VIRTUALDJ_MEMBER_CALL* mouseDown)(InputEvents* self, int32_t x, int32_t y, int32_t buttons,
                                         int32_t modifiers);
  bool(VIRTUALDJ_MEMBER_CALL* mouseUp)(InputEvents* self, int32_t x, int32_t y, int32_t buttons,
                                       int32_t modifiers);
  // The character text VirtualDJ gives is not used; the key is read from the virtual key and
  // scan code.
  void(VIRTUALDJ_MEMBER_CALL* key)(InputEvents* self, const char* text, int32_t virtualKey,
                                   int32_t modifiers, int32_t flag, int32_t scanCode);
};
struct InputEvents {
  const InputEventsTable* table;
};

// VirtualDJ's modifier bits.
namespace modifier {
constexpr int32_t kCtrl = 1;
constexpr int32_t kAlt = 2;
constexpr int32_t kShift = 4;
constexpr int32_t kFourth = 8;  // passed on as it is
}  // namespace modifier

// The plug-in object: the table VirtualDJ calls, then the fields VirtualDJ writes before load.
struct Plugin;
struct PluginTable {
  Result(VIRTUALDJ_CALL* load)(Plugin* self);
  Result(VIRTUALDJ_CALL* getInfo)(Plugin* self, PluginInfo* info);
  uint32_t(VIRTUALDJ_CALL* release)(Plugin* self);
  void*(VIRTUALDJ_MEMBER_CALL* destructor)(Plugin* self, uint32_t flags);
  Result(VIRTUALDJ_CALL* parameter)(Plugin* self, int32_t id);
  Result(VIRTUALDJ_CALL* parameterText)(Plugin* self, int32_t id, char* text, int32_t size);
  Result(VIRTUALDJ_CALL* userInterface)(Plugin* self, void* description);
  Result(VIRTUALDJ_CALL* start)(Plugin* self);
  Result(VIRTUALDJ_CALL* stop)(Plugin* self);
  Result(VIRTUALDJ_CALL* draw)(Plugin* self);
  Result(VIRTUALDJ_CALL* deviceInit)(Plugin* self);
  Result(VIRTUALDJ_CALL* deviceClose)(Plugin* self);
  // Interleaved stereo float samples; count is the number of floats.
  Result(VIRTUALDJ_CALL* audioSamples)(Plugin* self, float* samples, int32_t count);
};
struct Plugin {
  const PluginTable* table;
  void* instance;  // HINSTANCE of the plug-in, written by VirtualDJ
  Callbacks* callbacks;
  int32_t sampleRate;
  int32_t songBpm;
  double songPosBeats;
  int32_t width;  // the output's size
  int32_t height;
  VideoCallbacks* videoCallbacks;
};

static_assert(sizeof(Guid) == 16);
static_assert(offsetof(PluginTable, release) == 2 * sizeof(void*));
static_assert(offsetof(PluginTable, destructor) == 3 * sizeof(void*));
static_assert(offsetof(PluginTable, start) == 7 * sizeof(void*));
static_assert(offsetof(PluginTable, draw) == 9 * sizeof(void*));
static_assert(offsetof(PluginTable, audioSamples) == 12 * sizeof(void*));
static_assert(sizeof(PluginTable) == 13 * sizeof(void*));
static_assert(offsetof(VideoCallbacksTable, getDevice) == sizeof(void*));
static_assert(offsetof(InputEventsTable, key) == 3 * sizeof(void*));
static_assert(offsetof(Plugin, instance) == sizeof(void*));
static_assert(offsetof(Plugin, callbacks) == 2 * sizeof(void*));
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(offsetof(PluginInfo, flags) == 40);
static_assert(offsetof(PluginInfo, inputEvents) == 48);
static_assert(sizeof(PluginInfo) == 56);
static_assert(offsetof(Plugin, sampleRate) == 24);
static_assert(offsetof(Plugin, songPosBeats) == 32);
static_assert(offsetof(Plugin, width) == 40);
static_assert(offsetof(Plugin, height) == 44);
static_assert(offsetof(Plugin, videoCallbacks) == 48);
static_assert(sizeof(Plugin) == 56);
#else
static_assert(offsetof(PluginInfo, flags) == 20);
static_assert(offsetof(PluginInfo, inputEvents) == 24);
static_assert(sizeof(PluginInfo) == 28);
static_assert(offsetof(Plugin, sampleRate) == 12);
static_assert(offsetof(Plugin, songPosBeats) == 24);  // doubles sit on 8-byte boundaries
static_assert(offsetof(Plugin, width) == 32);
static_assert(offsetof(Plugin, height) == 36);
static_assert(offsetof(Plugin, videoCallbacks) == 40);
static_assert(sizeof(Plugin) == 48);
#endif

}  // namespace virtualdj
