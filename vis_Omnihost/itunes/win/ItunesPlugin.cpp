// The plug-in as iTunes loads it: the exported iTunesPluginMain, which registers the visual
// plug-in, and the visual plug-in handler iTunes then sends its messages to.
//
// iTunes calls both on its main thread. Nothing thrown inside reaches iTunes: a message that
// fails answers -4 as an unknown one would.
#include "utility/ExitCallbackList.h"
#include "vis_Omnihost/PluginIdentity.h"
#include "vis_Omnihost/itunes/ItunesRecords.h"
#include "vis_Omnihost/itunes/win/ItunesVisualHost.h"
#include "visualhost/engine/EngineLibrary.h"

namespace itunes {

namespace {

constexpr uint32_t kPluginOptions = 2;
constexpr Code kCreator = FourCC("hook");
constexpr uint32_t kPluginVersion = 0x00010002;
constexpr uint32_t kPulseRate = 60;
constexpr uint32_t kChannels = 2;
constexpr int32_t kMinWidth = 300;
constexpr int32_t kMinHeight = 200;
constexpr int32_t kMaxSize = 32767;

// The live host the reference value names: iTunes' value when it is the process's host,
// else the process's host when iTunes gave none. A stale value names nothing.
ItunesVisualHost* HostOf(void* reference) {
  ItunesVisualHost* current = ItunesVisualHost::Current();
  if (reference == nullptr || reference == current) return current;
  return nullptr;
}

Status InitHandler(VisualMessage* message, void* reference) {
  if (message == nullptr) return status::kBadParameter;
  ItunesVisualHost* host = HostOf(reference);
  if (host == nullptr) host = new ItunesVisualHost();
  VisualInitFields& init = message->u.init;
  host->KeepApplication(init.cookie, init.callback);
  init.reference = host;
  if (host->HasEngineLibrary()) return status::kOk;
  auto* library = new EngineLibrary();
  library->SetName(UtilStr(omnihost::kProductName));
  const bool haveTable = library->GetTable() != nullptr;
  host->AttachEngine(library);
  library->Release();  // the host holds its own reference
  return haveTable ? status::kOk : status::kFileNotFound;
}

bool NeedsRecord(Code message) {
  using namespace visual_message;
  return message == kShow || message == kSetPosition || message == kRenderData ||
         message == kPlay || message == kChangeTrack || message == kCoverArt;
}

Status Handle(Code code, VisualMessage* message, void* reference) {
  using namespace visual_message;
  if (code == kInit) return InitHandler(message, reference);
  ItunesVisualHost* host = HostOf(reference);
  switch (code) {
    case kCleanup: case kConfigure: case kDisplayChanged: case kSetPosition2:
    case kSetFullscreen: case kEnable: case kShow: case kHide: case kDraw: case kFrameChanged:
    case kSetPosition: case kRenderData: case kPlay: case kUnpause: case kChangeTrack:
    case kCoverArt: case kPause: case kStop: case kIdle: case kDisable:
      break;
    default:
      return status::kUnimplemented;
  }
  if (message == nullptr && NeedsRecord(code)) return status::kBadParameter;
  if (host == nullptr) return status::kOk;
  switch (code) {
    case kCleanup:
      host->Release();
      break;
    case kShow:
      host->Show(static_cast<HWND>(message->u.show.window), (message->u.show.options & 1) != 0);
      break;
    case kHide:
      host->DetachTarget();
      host->IdleCheck();
      break;
    case kDraw:
      host->Step();
      break;
    case kFrameChanged:
      if (host->HasWindow()) host->ShowAgain(host->IsFullscreen());
      break;
    case kSetPosition:
      if (host->HasWindow()) host->ShowAgain((message->u.setPosition.options & 1) != 0);
      break;
    case kRenderData:
      host->TakePulse(message->u.render.data);
      message->u.render.newPulseRate = kPulseRate;
      break;
    case kPlay:
      host->ClearAudio();
      host->UpdateTrack(message->u.play.track, message->u.play.stream);
      host->IdleCheck();
      break;
    case kChangeTrack:
      host->UpdateTrack(message->u.play.track, message->u.play.stream);
      host->IdleCheck();
      break;
    case kCoverArt:
      host->SendCoverArt(message->u.coverArt.bytes, message->u.coverArt.byteCount);
      break;
    case kUnpause: case kPause: case kStop:
      host->ClearAudio();
      host->IdleCheck();
      break;
    case kIdle:
      host->IdleCheck();
      break;
    case kDisable:
      host->DetachTarget();
      break;
    default:  // the messages that ask nothing of the plug-in
      break;
  }
  return status::kOk;
}

Status ITUNES_CALL VisualPluginHandler(Code code, VisualMessage* message, void* reference) {
  try {
    return Handle(code, message, reference);
  } catch (...) {
    return status::kUnimplemented;
  }
}

void CopyName(String255& field) {
  constexpr size_t kLength = sizeof(omnihost::kProductNameW) / sizeof(wchar_t) - 1;
  static_assert(kLength < kStringUnits);
  field[0] = char16_t(kLength);
  for (size_t i = 0; i < kLength; ++i) field[1 + i] = char16_t(omnihost::kProductNameW[i]);
}

Status Register(const PluginInitMessage* init) {
  if (init == nullptr || init->callback == nullptr) return status::kBadParameter;
  PlayerMessage message = {};
  message.header.majorVersion = kMajorMessageVersion;
  message.header.minorVersion = kMinorMessageVersion;
  message.header.messageSize = kPlayerMessageSize;
  RegisterVisualPluginFields& fields = message.u.registerVisualPlugin;
  CopyName(fields.name);
  fields.options = kPluginOptions;
  fields.creator = kCreator;
  fields.version = kPluginVersion;
  fields.handler = &VisualPluginHandler;
  fields.handlerReference = nullptr;
  fields.pulseRate = kPulseRate;
  fields.waveformChannels = kChannels;
  fields.spectrumChannels = kChannels;
  fields.minWidth = kMinWidth;
  fields.minHeight = kMinHeight;
  fields.maxWidth = kMaxSize;
  fields.maxHeight = kMaxSize;
  return init->callback(init->cookie, player_message::kRegisterVisualPlugin, &message);
}

}  // namespace

}  // namespace itunes

extern "C" itunes::Status ITUNES_CALL iTunesPluginMain(itunes::Code message, void* info, void*) {
  try {
    switch (message) {
      case itunes::main_message::kInit:
        return itunes::Register(static_cast<const itunes::PluginInitMessage*>(info));
      case itunes::main_message::kCleanup:
        ExitCallbackList::Run();
        return itunes::status::kOk;
      case itunes::main_message::kPrepareToQuit:
        return itunes::status::kOk;
      default:
        return itunes::status::kUnimplemented;
    }
  } catch (...) {
    return itunes::status::kUnimplemented;
  }
}
