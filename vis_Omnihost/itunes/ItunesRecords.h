// The records of iTunes' visual plug-in interface as this plug-in uses them: the message codes,
// the messages of both directions, and the track, stream and audio records iTunes hands over.
//
// iTunes lays its structures out with 2-byte packing, so every record here is declared inside
// one pack(2) region; pointers are 8 bytes in the 64-bit build and 4 in the 32-bit one, which
// moves the fields after them. Entries use the C calling convention. Only the fields this
// plug-in reads or writes are named; the rest are reserved bytes that keep the offsets. The
// static_asserts at the end pin every offset for both builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "visualhost/engine/EngineInterface.h"

#if defined(_WIN32) && !defined(_WIN64)
#define ITUNES_CALL __cdecl
#else
#define ITUNES_CALL
#endif

namespace itunes {

using Status = int32_t;  // OSStatus
using Code = uint32_t;   // OSType, a four-character code

namespace status {
constexpr Status kOk = 0;
constexpr Status kUnimplemented = -4;   // a message the plug-in does not know
constexpr Status kFileNotFound = -43;   // the engine library could not be had
constexpr Status kBadParameter = -50;   // a message that needs a record came without one
}  // namespace status

// Messages iTunes sends iTunesPluginMain.
namespace main_message {
constexpr Code kInit = FourCC("init");
constexpr Code kCleanup = FourCC("clr ");
constexpr Code kPrepareToQuit = FourCC("prqt");
}  // namespace main_message

// Messages iTunes sends the visual plug-in handler.
namespace visual_message {
constexpr Code kInit = FourCC("init");
constexpr Code kCleanup = FourCC("clr ");
constexpr Code kConfigure = FourCC("cnfg");
constexpr Code kEnable = FourCC("von ");
constexpr Code kDisable = FourCC("voff");
constexpr Code kIdle = FourCC("null");
constexpr Code kShow = FourCC("Vact");
constexpr Code kHide = FourCC("Vdct");
constexpr Code kSetPosition = FourCC("Vmov");
constexpr Code kFrameChanged = FourCC("Vfrm");
constexpr Code kDraw = FourCC("Vdrw");
constexpr Code kRenderData = FourCC("Vpls");
constexpr Code kPlay = FourCC("Vply");
constexpr Code kChangeTrack = FourCC("Ctrk");
constexpr Code kStop = FourCC("vstp");
constexpr Code kSetPosition2 = FourCC("setp");
constexpr Code kPause = FourCC("vpau");
constexpr Code kUnpause = FourCC("vunp");
constexpr Code kCoverArt = FourCC("Vart");
constexpr Code kDisplayChanged = FourCC("dchn");
constexpr Code kSetFullscreen = FourCC("sful");
}  // namespace visual_message

// Messages the plug-in sends iTunes through its application callback.
namespace player_message {
constexpr Code kRegisterVisualPlugin = FourCC("regv");
constexpr Code kSetFullscreen = FourCC("sful");
constexpr Code kRequestCoverArt = FourCC("rart");
}  // namespace player_message

constexpr uint32_t kMajorMessageVersion = 10;
constexpr uint32_t kMinorMessageVersion = 9;

// iTunes' 256-unit UTF-16 string: the first unit is the length, the characters follow.
constexpr int kStringUnits = 256;
using String255 = char16_t[kStringUnits];

#pragma pack(push, 2)

struct PlayerMessage;
using ApplicationCallback = Status(ITUNES_CALL*)(void* cookie, Code message,
                                                 PlayerMessage* info);
struct VisualMessage;
using VisualHandler = Status(ITUNES_CALL*)(Code message, VisualMessage* info, void* reference);
using PluginMainFn = Status(ITUNES_CALL*)(Code message, void* info, void* reference);
constexpr char kPluginMainName[] = "iTunesPluginMain";

// iTunesPluginMain's 'init'.
struct PluginInitMessage {
  uint32_t majorVersion;
  uint32_t minorVersion;
  void* cookie;
  ApplicationCallback callback;
};

// The header every message to iTunes starts with.
struct PlayerMessageHeader {
  uint32_t majorVersion;
  uint32_t minorVersion;
  uint32_t messageSize;  // sizeof(PlayerMessage)
};

// 'regv': the visual plug-in's registration.
struct RegisterVisualPluginFields {
  String255 name;
  uint32_t options;
  Code creator;
  uint32_t version;
  VisualHandler handler;
  void* handlerReference;
  uint32_t pulseRate;
  uint32_t waveformChannels;
  uint32_t spectrumChannels;
  int32_t minWidth;
  int32_t minHeight;
  int32_t maxWidth;
  int32_t maxHeight;
};

// 'sful': the fullscreen state the plug-in asks for.
struct SetFullscreenFields {
  uint8_t fullscreen;  // 1: fullscreen
};

// Every message to iTunes: the header, then the fields of its code, the rest zero.
struct PlayerMessage {
  PlayerMessageHeader header;
  union {
    RegisterVisualPluginFields registerVisualPlugin;
    SetFullscreenFields setFullscreen;
  } u;
};

// The handler's 'init'.
struct VisualInitFields {
  uint32_t majorVersion;
  uint32_t minorVersion;
  uint32_t appVersion;
  void* cookie;
  ApplicationCallback callback;
  uint32_t options;
  void* reference;  // the plug-in's reference value, kept by iTunes for later calls
};

// 'Vact': the view window and whether it shows fullscreen (bit 0 of the options byte).
struct ShowFields {
  void* window;  // HWND
  uint8_t options;
};

// 'Vmov': bit 0 of the first byte says fullscreen.
struct SetPositionFields {
  uint8_t options;
};

// The audio of one pulse.
constexpr int kPulseValues = 512;
struct RenderData {
  uint8_t waveformChannels;
  uint8_t waveform[2][kPulseValues];  // 128 = silence
  uint8_t spectrumChannels;
  uint8_t spectrum[2][kPulseValues];
};

// 'Vpls': the pulse's audio; the plug-in writes the pulse rate it wants next.
struct RenderFields {
  const RenderData* data;
  uint32_t timeStamp;
  uint32_t reserved;
  uint32_t newPulseRate;
};

struct TrackInfo;
struct StreamInfo;
// 'Vply' and 'Ctrk'.
struct PlayFields {
  const TrackInfo* track;
  const StreamInfo* stream;
};

// 'Vart': the cover's image bytes (PNG or JPEG), iTunes' own.
struct CoverArtFields {
  const void* bytes;
  uint32_t byteCount;
};

struct VisualMessage {
  union {
    VisualInitFields init;
    ShowFields show;
    SetPositionFields setPosition;
    RenderFields render;
    PlayFields play;
    CoverArtFields coverArt;
  } u;
};

// Valid-field bits of the track record.
namespace track_field {
constexpr uint32_t kName = 1;
constexpr uint32_t kFileName = 2;
constexpr uint32_t kArtist = 4;
constexpr uint32_t kAlbum = 8;
}  // namespace track_field

// The track information record; 5728 bytes.
struct TrackInfo {
  uint32_t validFields;
  uint32_t reserved0;
  String255 name;
  String255 fileName;
  String255 artist;
  String255 album;
  uint8_t reserved1[4112 - 2056];
  uint16_t year;
  uint8_t reserved2[5728 - 4114];
};

// The stream information record; 1540 bytes.
struct StreamInfo {
  uint32_t validFields;  // any bit: the record holds a stream
  String255 title;
  String255 url;
  String255 message;
};

#pragma pack(pop)

constexpr uint32_t kPlayerMessageSize = sizeof(PlayerMessage);

static_assert(sizeof(PluginInitMessage::majorVersion) == 4);
static_assert(offsetof(PlayerMessage, u) == 12);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.name) == 12);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.options) == 524);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.creator) == 528);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.version) == 532);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.handler) == 536);
static_assert(offsetof(PlayerMessage, u.setFullscreen.fullscreen) == 12);
static_assert(offsetof(VisualInitFields, cookie) == 12);
static_assert(offsetof(RenderData, waveform[1]) == 513);
static_assert(offsetof(RenderData, spectrumChannels) == 1025);
static_assert(offsetof(RenderData, spectrum) == 1026);
static_assert(offsetof(RenderData, spectrum[1]) == 1538);
static_assert(sizeof(RenderData) == 2050);
static_assert(offsetof(TrackInfo, name) == 8);
static_assert(offsetof(TrackInfo, fileName) == 520);
static_assert(offsetof(TrackInfo, artist) == 1032);
static_assert(offsetof(TrackInfo, album) == 1544);
static_assert(offsetof(TrackInfo, year) == 4112);
static_assert(sizeof(TrackInfo) == 5728);
static_assert(offsetof(StreamInfo, title) == 4);
static_assert(offsetof(StreamInfo, url) == 516);
static_assert(offsetof(StreamInfo, message) == 1028);
static_assert(sizeof(StreamInfo) == 1540);
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(offsetof(PluginInitMessage, cookie) == 8);
static_assert(offsetof(PluginInitMessage, callback) == 16);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.handlerReference) == 544);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.pulseRate) == 552);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.waveformChannels) == 556);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.spectrumChannels) == 560);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.minWidth) == 564);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.minHeight) == 568);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.maxWidth) == 572);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.maxHeight) == 576);
static_assert(sizeof(PlayerMessage) == 580);
static_assert(offsetof(VisualInitFields, callback) == 20);
static_assert(offsetof(VisualInitFields, reference) == 32);
static_assert(offsetof(ShowFields, options) == 8);
static_assert(offsetof(RenderFields, newPulseRate) == 16);
static_assert(offsetof(PlayFields, stream) == 8);
static_assert(offsetof(CoverArtFields, byteCount) == 8);
#else
static_assert(offsetof(PluginInitMessage, cookie) == 8);
static_assert(offsetof(PluginInitMessage, callback) == 12);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.handlerReference) == 540);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.pulseRate) == 544);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.waveformChannels) == 548);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.spectrumChannels) == 552);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.minWidth) == 556);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.minHeight) == 560);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.maxWidth) == 564);
static_assert(offsetof(PlayerMessage, u.registerVisualPlugin.maxHeight) == 568);
static_assert(sizeof(PlayerMessage) == 572);
static_assert(offsetof(VisualInitFields, callback) == 16);
static_assert(offsetof(VisualInitFields, reference) == 24);
static_assert(offsetof(ShowFields, options) == 4);
static_assert(offsetof(RenderFields, newPulseRate) == 12);
static_assert(offsetof(PlayFields, stream) == 4);
static_assert(offsetof(CoverArtFields, byteCount) == 4);
#endif

}  // namespace itunes
