// Drawing targets and frame pacing of a host: what the engine draws into and when it is called.
#include <algorithm>

#include "visualhost/host/HostSystem.h"
#include "visualhost/host/VisualHost.h"

namespace {

// The timer fires this much after the period the engine asked for.
constexpr int32_t kTimerSlackMs = 2;
// The longest period a window timer accepts.
constexpr int64_t kLongestTimerMs = 0x7FFFFFFF;

// The timer's period for the engine's answer. A negative answer asks for the next frame at
// once; it must not become a huge unsigned period that stops the frames for good, and the
// slack must not overflow a very large answer.
uint32_t TimerPeriodFor(int32_t enginePeriod) {
  const int64_t period = std::max<int64_t>(enginePeriod, 0) + kTimerSlackMs;
  return static_cast<uint32_t>(std::min(period, kLongestTimerMs));
}

bool SameRect(const EngineRect& a, const EngineRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

int32_t VisualHost::SetEngineTarget(void* target, uint32_t kindFlag, uint32_t flags, void* extra) {
  if (mInstance == 0) return NVStatus::kNoInstance;
  if (mTable == nullptr || mTable->SetTarget == nullptr) return NVStatus::kNoInstance;
  return mTable->SetTarget(mInstance, target, extra, mExtraTargetFlags | kindFlag | flags);
}

int32_t VisualHost::AttachWindow(HostWindow window, uint32_t flags, void* extra) {
  if (window == nullptr) OnTargetDetached();
  const int32_t status = SetEngineTarget(window, TargetFlags::kWindow, flags, extra);
  mAttachedWindow = window;
  mAttachedDeviceContext = nullptr;
  mAttachedTarget = nullptr;
  return status;
}

int32_t VisualHost::AttachTarget(void* target, uint32_t flags, void* extra) {
  if (target == nullptr) OnTargetDetached();
  const int32_t status = SetEngineTarget(target, 0, flags, extra);
  mAttachedTarget = target;
  mAttachedWindow = nullptr;
  mAttachedDeviceContext = nullptr;
  return status;
}

int32_t VisualHost::AttachBuffer(const PixelBufferDesc* buffer, uint32_t flags, void* extra) {
  // Frames of a pixel buffer come from the host calling Step itself.
  Schedule(false);
  return SetEngineTarget(const_cast<PixelBufferDesc*>(buffer), TargetFlags::kPixelBuffer, flags,
                         extra);
}

int32_t VisualHost::AttachDC(HostDeviceContext deviceContext, uint32_t flags, void* extra) {
  if (deviceContext == nullptr) OnTargetDetached();
  const int32_t status = SetEngineTarget(deviceContext, TargetFlags::kDeviceContext, flags, extra);
  mAttachedDeviceContext = deviceContext;
  mAttachedWindow = nullptr;
  mAttachedTarget = nullptr;
  return status;
}

int32_t VisualHost::DetachTarget() {
  return AttachWindow(nullptr, 0, nullptr);
}

void VisualHost::OnTargetDetached() {
  Schedule(false);
  mCachedClientRect = {0, 0, 0, 0};
}

void VisualHost::Step() {
  if (mInstance == 0 || mTable == nullptr) return;
  EngineRect client = {0, 0, 0, 0};
  if (mTrackClientSize && mAttachedWindow != nullptr &&
      HostSystem().getClientRect(mAttachedWindow, &client) &&
      !SameRect(client, mCachedClientRect)) {
    mCachedClientRect = client;
    mSizeChanged = true;
  }
  if (mSizeChanged) {
    const uint32_t fullscreen = IsFullscreen() ? TargetFlags::kFullscreen : 0;
    AttachWindow(mAttachedWindow, fullscreen, nullptr);
    mSizeChanged = false;
  }
  if (mTable->RunFrame != nullptr) mNextPeriod = mTable->RunFrame(mInstance, nullptr, nullptr);
}

void VisualHost::Schedule(bool on) {
  int32_t period = mNextPeriod;
  if (!on) {
    mNextPeriod = 0;
    period = -1;
  }
  // A running timer with this period already fits.
  if (on && period == mScheduledPeriod) return;
  mScheduledPeriod = period;
  // The timer lives on the window it was armed on, which need not be the attached one any
  // more (a device context or other target may have replaced it): that is the one to stop, or
  // its ticks would reach a host that is gone.
  HostWindow timerWindow = mTimerWindow;
  if (!on) mTimerWindow = nullptr;
  if (!on && timerWindow != nullptr && timerWindow != mAttachedWindow) {
    HostSystem().killTimer(timerWindow, this);
  }
  if (mAttachedWindow == nullptr) return;
  if (mUsePumpThread) {
    // Once running, the pump thread idles by itself while there is nothing to pace.
    if (on && mPumpThread == nullptr) mPumpThread = HostSystem().createPumpThread(this);
    return;
  }
  if (on) {
    if (timerWindow != nullptr && timerWindow != mAttachedWindow) {
      HostSystem().killTimer(timerWindow, this);
    }
    HostSystem().setTimer(mAttachedWindow, this, TimerPeriodFor(period));
    mTimerWindow = mAttachedWindow;
  } else {
    HostSystem().killTimer(mAttachedWindow, this);
  }
}
