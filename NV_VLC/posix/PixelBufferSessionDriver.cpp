#include "NV_VLC/posix/PixelBufferSessionDriver.h"

#include <algorithm>
#include <cstdio>

#include "NV_VLC/EngineInstalled.h"
#include "NV_VLC/SessionEngine.h"
#include "NV_VLC/SessionManager.h"
#include "NV_VLC/VlcVisualHost.h"
#include "visualhost/engine/EngineLibrary.h"

std::atomic<int32_t> PixelBufferSessionDriver::sStartsInProgress{0};

namespace {

constexpr int32_t kDefaultWidth = 1280;
constexpr int32_t kDefaultHeight = 720;
// The frame period when the engine answers none.
constexpr int32_t kFallbackPeriodMs = 33;

}  // namespace

VlcVisualHost* PixelBufferSessionDriver::Start(int32_t width, int32_t height, int32_t* status,
                                               int32_t* secondStatus) {
  VlcVisualHost* host = StartSessionHost(sStartsInProgress, status, secondStatus);
  if (host == nullptr) return nullptr;

  const int32_t bufferWidth = width >= 1 ? width : kDefaultWidth;
  const int32_t bufferHeight = height >= 1 ? height : kDefaultHeight;
  mPixels.assign(size_t(bufferWidth) * size_t(bufferHeight), 0);
  mBuffer = PixelBufferDesc{};
  mBuffer.format = PixelBufferDesc::kFormat32;
  mBuffer.stride = bufferWidth * 4;
  mBuffer.width = bufferWidth;
  mBuffer.height = bufferHeight;
  mBuffer.planes = 1;
  mBuffer.pixels = mPixels.data();
  const int32_t attached = host->AttachBuffer(&mBuffer, 0, nullptr);
  if (attached != NVStatus::kOk) {
    *status = attached;
    *secondStatus = 0;
    host->Release();
    mPixels.clear();
    return nullptr;
  }
  mHost = host;
  mNextFrame = Clock::now();
  if (mManager != nullptr) {
    mManager->Log(false, "pixel buffer up (%d x %d), rendering on the session thread", bufferWidth,
                  bufferHeight);
  }
  return host;
}

void PixelBufferSessionDriver::Stop(const char*) {
  mNextFrame = Clock::time_point::max();
  if (mHost != nullptr) {
    mHost->DetachTarget();
    mHost->Release();
    mHost = nullptr;
  }
  mPixels.clear();
}

void PixelBufferSessionDriver::ArmTimer(int32_t milliseconds, uint32_t generation) {
  mTimerArmed = true;
  mTimerGeneration = generation;
  mDeadline = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
}

void PixelBufferSessionDriver::Log(bool error, const char* text) {
  std::fprintf(stderr, "[%s VLC] %s%s\n", kProductName, error ? "error: " : "", text);
}

bool PixelBufferSessionDriver::TakeExpiredTimer(Clock::time_point now, uint32_t* generation) {
  if (!mTimerArmed || now < mDeadline) return false;
  mTimerArmed = false;
  *generation = mTimerGeneration;
  return true;
}

void PixelBufferSessionDriver::RunDueFrame(Clock::time_point now) {
  if (mHost == nullptr || now < mNextFrame) return;
  mHost->Step();
  const int32_t period = mHost->NextPeriod() > 0 ? mHost->NextPeriod() : kFallbackPeriodMs;
  mNextFrame = now + std::chrono::milliseconds(period);
}

PixelBufferSessionDriver::Clock::time_point PixelBufferSessionDriver::NextWake() const {
  return mTimerArmed ? std::min(mDeadline, mNextFrame) : mNextFrame;
}
