#include "vis_Omnihost/qcd/win/QcdClient.h"

#include <limits>

#include "utility/MillisecondClock.h"
#include "vis_Omnihost/qcd/QcdAudio.h"
#include "visualhost/engine/SharedEngineLibrary.h"
#include "visualhost/host/HostDescriptors.h"

namespace qcd {

namespace {

constexpr int32_t kBytesPerPixel = 4;

bool UsableBuffer(const VideoBuffer& buffer) {
  return buffer.pixels != nullptr && buffer.width > 0 && buffer.height > 0 &&
         buffer.width <= std::numeric_limits<int32_t>::max() / kBytesPerPixel;
}

uint32_t EventFlags(int32_t type) {
  switch (type) {
    case event::kButtonDown:
      return EventKind::kLeftDown;
    case event::kButtonUp:
      return EventKind::kLeftUp;
    case event::kDoubleClick:
      return EventKind::kLeftDoubleClick;
    default:
      return 0;
  }
}

}  // namespace

QcdClient::QcdClient(Module* module) : mModule(module) {
  mTable = SharedEngineLibrary()->GetTable();
  if (mTable != nullptr && mTable->CreateInstance != nullptr) {
    const int32_t status =
        mTable->CreateInstance(&mInstance, 0, &OnEngineRequest, this, HostDescriptor::kQcd);
    // An instance the engine reports as failed is given back at once.
    if (status != NVStatus::kOk && mInstance != 0) {
      mTable->DestroyInstance(mInstance);
      mInstance = 0;
    }
  }
  Restart();
}

QcdClient::~QcdClient() {
  if (mInstance != 0) mTable->DestroyInstance(mInstance);
}

void QcdClient::Restart() {
  mWindow = ServiceWindow();
  mLastWidth = 0;
  mNextStepMs = NowMs();
}

HWND QcdClient::ServiceWindow() const {
  if (mModule == nullptr || mModule->service == nullptr) return nullptr;
  return reinterpret_cast<HWND>(mModule->service(kServiceVisualWindow, nullptr, 0, 0));
}

QcdClient::Target QcdClient::CurrentTarget() const {
  Target target;
  RECT client;
  if (mWindow != nullptr && GetClientRect(mWindow, &client)) {
    target.window = true;
    target.width = int32_t(client.right - client.left);
    target.height = int32_t(client.bottom - client.top);
    return target;
  }
  const VideoBuffer* buffer = mModule != nullptr ? mModule->videoBuffer : nullptr;
  if (buffer != nullptr) {
    target.usable = UsableBuffer(*buffer);
    target.width = buffer->width;
    target.height = buffer->height;
    target.buffer = buffer->pixels;
  }
  return target;
}

void QcdClient::Retarget(const Target& target) {
  mLastWidth = target.width;
  mLastHeight = target.height;
  mLastBuffer = target.buffer;
  if (mInstance == 0) return;
  if (target.window) {
    mTable->SetTarget(mInstance, mWindow, nullptr, TargetFlags::kWindow);
  } else if (target.buffer != nullptr) {
    mPixelBuffer = {};
    mPixelBuffer.format = PixelBufferDesc::kFormat32;
    mPixelBuffer.stride = kBytesPerPixel * target.width;
    mPixelBuffer.width = target.width;
    mPixelBuffer.height = target.height;
    mPixelBuffer.planes = 1;
    mPixelBuffer.pixels = target.buffer;
    mRect = mModule->videoBuffer->rect;
    mTable->SetTarget(mInstance, &mPixelBuffer, &mRect, TargetFlags::kPixelBuffer);
  }
}

int32_t QcdClient::Render() {
  const Target target = CurrentTarget();
  if (!target.usable) {
    // The engine may still hold the last buffer, which the player may have freed: no frame, and
    // the next usable buffer is handed over whatever its size.
    mLastWidth = 0;
    return 0;
  }
  if (target.width != mLastWidth || target.height != mLastHeight || target.buffer != mLastBuffer) {
    Retarget(target);
  }
  if (mInstance == 0 || NowMs() < mNextStepMs) return 0;
  const int32_t period = mTable->RunFrame(mInstance, nullptr, nullptr);
  mNextStepMs = NowMs() + period;
  return target.window || target.buffer == nullptr ? 0 : 1;
}

int32_t QcdClient::Event(int32_t type, int32_t x, int32_t y) {
  const uint32_t flags = EventFlags(type);
  if (flags == 0 || mInstance == 0 || mTable->Request == nullptr) return 0;
  EventRecord record = {};
  record.x = x;
  record.y = y;
  record.flags = flags;
  return mTable->Request(mInstance, HostRequest::kEvent, &record, nullptr) != 0 ? 1 : 0;
}

int32_t NV_ENGINE_CALL QcdClient::OnEngineRequest(void* client, uint32_t code, void* in, void*) {
  try {
    if (client == nullptr || code != EngineRequest::kGetSamples) return NVStatus::kNotHandled;
    return FillAudioRequest(static_cast<QcdClient*>(client)->mModule,
                            static_cast<AudioRequest*>(in));
  } catch (...) {
    return NVStatus::kNotHandled;
  }
}

}  // namespace qcd
