#include "refengine/EngineTable.h"

#include <chrono>
#include <string>
#include <thread>

#include "refengine/Controls.h"
#include "refengine/EngineClock.h"
#include "refengine/Frame.h"
#include "refengine/Fullscreen.h"
#include "refengine/HostRequests.h"
#include "refengine/Instance.h"
#include "refengine/Journal.h"
#include "refengine/Preferences.h"
#include "refengine/RecordJournal.h"
#include "refengine/RefEngineControl.h"
#include "refengine/Requests.h"

namespace refengine {
namespace {

constexpr int32_t kBadArgument = REFENGINE_STATUS_BAD_ARGUMENT;

// The audio request of a frame, without drawing or journal: what a host does for it is all
// that is measured.
void AskForAudioQuietly(uint32_t handle) {
  const std::shared_ptr<Instance> instance = FindInstance(handle);
  if (!instance || !instance->callback) return;
  AudioRequest request = AudioRequestFor(*instance);
  instance->callback(instance->userData, EngineRequest::kGetSamples, &request, nullptr);
}
// A host descriptor is one short line; anything longer is cut rather than read without end.
constexpr size_t kMaxDescriptorBytes = 65536;

constexpr char kDescription[] =
    "Glimmora reference engine: spectrum bars, waveform and track titles drawn with GDI.";
constexpr char kEngineName[] = "Glimmora";
const EngineInfoRecord kInfo{const_cast<char*>(kEngineName),
                             reinterpret_cast<void*>(uintptr_t(kEngineApiVersion)), kDescription};

std::string BoundedDescriptor(const char* text) {
  if (!text) return {};
  size_t length = 0;
  while (length < kMaxDescriptorBytes && text[length] != 0) ++length;
  return std::string(text, length);
}

int32_t NV_ENGINE_CALL CreateInstance(uint32_t* instance, int32_t reserved, EngineCallback callback,
                                      void* userData, const char* descriptor) {
  try {
    JournalLine line("CreateInstance");
    std::string text = BoundedDescriptor(descriptor);
    line.Number("reserved", reserved)
        .Address("callback", reinterpret_cast<const void*>(callback))
        .Address("userdata", userData)
        .Text("descriptor", text);
    if (const int32_t delay = CreateDelayControl(); delay > 0) {
      WriteJournal(JournalLine("Delay").Text("call", "CreateInstance").Number("ms", delay));
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    }
    int32_t status = CreateFailureControl();
    if (status == 0 && !instance) status = kBadArgument;
    if (status == 0) {
      *instance = AddInstance(callback, userData, std::move(text))->handle;
      line.Number("instance", *instance);
    }
    line.Number("status", status);
    WriteJournal(line);
    return status;
  } catch (...) {
    return kBadArgument;
  }
}

void NV_ENGINE_CALL DestroyInstance(uint32_t handle) {
  try {
    // The host hears of the end of fullscreen while the instance still answers its requests.
    if (const std::shared_ptr<Instance> live = FindInstance(handle)) CloseOwnFullscreen(*live);
    const std::shared_ptr<Instance> instance = RemoveInstance(handle);
    if (instance) instance->device.Detach();
    WriteJournal(JournalLine("DestroyInstance")
                     .Number("instance", handle)
                     .Number("known", instance ? 1 : 0));
    if (instance && LiveInstanceCount() == 0) WritePreferencesIfChanged();
  } catch (...) {
  }
}

// Validates and stores the target. The kind comes from the flags' low bits.
int32_t StoreTarget(Instance& instance, void* target, void* extra, uint32_t flags,
                    JournalLine& line) {
  constexpr uint32_t kKindBits =
      TargetFlags::kPixelBuffer | TargetFlags::kWindow | TargetFlags::kDeviceContext;
  Target next;
  next.flags = flags;
  if (target) {
    switch (flags & kKindBits) {
      case TargetFlags::kWindow:
        next.kind = TargetKind::kWindow;
        next.window = static_cast<NativeWindow>(target);
        break;
      case TargetFlags::kDeviceContext:
        next.kind = TargetKind::kDeviceContext;
        next.deviceContext = static_cast<NativeDC>(target);
        break;
      case TargetFlags::kPixelBuffer: {
        const auto& buffer = *static_cast<const PixelBufferDesc*>(target);
        DescribePixelBuffer(line, buffer);
        if (buffer.format != PixelBufferDesc::kFormat32 || buffer.width <= 0 ||
            buffer.height <= 0 || buffer.stride < buffer.width * 4 || !buffer.pixels) {
          return kBadArgument;
        }
        next.kind = TargetKind::kPixelBuffer;
        next.buffer = buffer;
        break;
      }
      case 0:  // a target of another kind: the engine draws into Direct3D 9 devices
        next.kind = TargetKind::kOther;
        next.other = target;
        break;
      default:
        return kBadArgument;  // more than one kind at once
    }
  }
  if (next.kind == TargetKind::kNone && instance.target.kind != TargetKind::kNone) {
    instance.targetLostMs = ClockMs();
  }
  if (next.kind == TargetKind::kOther) {
    // What the host gives with a device is its rectangle; journaled when it can be read.
    if (extra && DeviceTarget::Readable(extra, sizeof(EngineRect))) {
      DescribeRect(line, *static_cast<const EngineRect*>(extra));
    }
    line.Number("device", instance.device.Attach(next.other) ? 1 : 0);
  } else {
    instance.device.Detach();
  }
  NoteTargetFlags(instance, instance.target.flags, next.flags);
  instance.target = next;
  // Without a target the host is going away; the engine's fullscreen window goes with it.
  if (next.kind == TargetKind::kNone) CloseOwnFullscreen(instance);
  return 0;
}

int32_t NV_ENGINE_CALL SetTarget(uint32_t handle, void* target, void* extra, uint32_t flags) {
  try {
    JournalLine line("SetTarget");
    line.Number("instance", handle)
        .Address("target", target)
        .Address("extra", extra)
        .Number("flags", flags);
    const std::shared_ptr<Instance> instance = FindInstance(handle);
    const int32_t status =
        instance ? StoreTarget(*instance, target, extra, flags, line) : NVStatus::kNoInstance;
    line.Number("status", status);
    WriteJournal(line);
    return status;
  } catch (...) {
    return kBadArgument;
  }
}

int32_t NV_ENGINE_CALL RunFrame(uint32_t handle, void* reserved1, void* reserved2) {
  try {
    const int32_t period = FramePeriodControl();
    if (const int32_t idle = IdleControl(); idle != 0) {
      if (idle == kIdleWithAudio) AskForAudioQuietly(handle);
      return period;
    }
    if (const int32_t delay = TakeRunFrameDelay(); delay > 0) {
      WriteJournal(JournalLine("Delay").Text("call", "RunFrame").Number("ms", delay));
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    }
    const std::shared_ptr<Instance> instance = FindInstance(handle);
    if (instance) RunOneFrame(*instance);
    WriteJournal(JournalLine("RunFrame")
                     .Number("instance", handle)
                     .Address("reserved1", reserved1)
                     .Address("reserved2", reserved2)
                     .Number("known", instance ? 1 : 0)
                     .Number("period", period));
    return period;
  } catch (...) {
    return kDefaultFramePeriodMs;
  }
}

int64_t NV_ENGINE_CALL Request(uint32_t handle, uint32_t code, void* in, void* out) {
  try {
    JournalLine line("Request");
    line.Number("instance", handle).Code("code", code);
    const std::shared_ptr<Instance> instance = FindInstance(handle);
    const int64_t answer =
        instance ? HandleRequest(*instance, code, in, out, line) : NVStatus::kNoInstance;
    line.Number("answer", answer);
    WriteJournal(line);
    return answer;
  } catch (...) {
    return NVStatus::kNotHandled;
  }
}

// Entries hosts never call. Calling one is harmless: it only leaves a journal line. Taking no
// arguments is safe whatever a caller passes, since the caller removes its own arguments.
template <int kEntry>
int32_t NV_ENGINE_CALL UnusedEntry() {
  try {
    WriteJournal(JournalLine("Entry").Number("index", kEntry));
  } catch (...) {
  }
  return NVStatus::kNotHandled;
}

template <int kEntry>
void* Unused() {
  return reinterpret_cast<void*>(&UnusedEntry<kEntry>);
}

}  // namespace

const char* EngineName() {
  return kEngineName;
}

const EngineTable* TheEngineTable() {
  static const EngineTable table{
      Unused<0>(),
      &kInfo,
      {Unused<2>(), Unused<3>(), Unused<4>(), Unused<5>(), Unused<6>(), Unused<7>(), Unused<8>(),
       Unused<9>(), Unused<10>(), Unused<11>()},
      &CreateInstance,
      &DestroyInstance,
      &SetTarget,
      Unused<15>(),
      &RunFrame,
      &Request,
  };
  return &table;
}

}  // namespace refengine
