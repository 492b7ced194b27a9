// The Winamp host's life, frames and audio.
#include "vis_Omnihost/winamp/win/WinampHost.h"

#include <algorithm>
#include <limits>

#include "utility/MillisecondClock.h"
#include "visualhost/engine/SharedEngineLibrary.h"
#include "vis_Omnihost/winamp/WinampAudio.h"
#include "vis_Omnihost/winamp/WinampMessages.h"
#include "vis_Omnihost/winamp/win/WinampWindowClass.h"

namespace winamp {

namespace {

// The timer fires this much after the engine's next-frame delay.
constexpr int32_t kFrameSlackMs = 4;

}  // namespace

WinampHost::WinampHost(VisModule* module, const PlayerKind& kind)
    : mModule(module),
      mPlayer(static_cast<HWND>(module->parent)),
      mKind(kind),
      mStreamTitle(new char16_t[kStreamTitleUnits]()) {
  AttachEngine(SharedEngineLibrary());
  mCounted = AddWindowClassUser();
  mServices.Acquire(reinterpret_cast<void*>(SendPlayer(command::kServiceInterface)));
}

WinampHost::~WinampHost() = default;

LRESULT WinampHost::SendPlayer(intptr_t command, WPARAM wParam) const {
  return SendMessageA(mPlayer, kPlayerMessage, wParam, command);
}

void WinampHost::Dispose() {
  mStreamTitle.reset();
  CloseOwnWindow();
  // Stops the instance and gives up the engine library; the engine may still hand back art,
  // which needs the services.
  VisualHost::Dispose();
  mServices.Release();
  if (mCounted) RemoveWindowClassUser();
  mCounted = false;
}

void WinampHost::StartInstance() {
  VisualHost::StartInstance();
  // A window without an engine to draw into it would only be an empty frame in the player.
  if (mInstance != 0 && mOwnWindow == nullptr) CreateOwnWindow();
}

void WinampHost::Render() {
  Pacing(false);
  Step();
}

void WinampHost::Step() {
  if (mAttachedWindow == nullptr) return;
  if (mChangePending) {
    Poll();
    constexpr int64_t kSettleMs = 300;
    if (NowMs() - mChangeTimeMs > kSettleMs) {
      mChangePending = false;
      PublishTrack();
    }
  }
  VisualHost::Step();
  mFrameDelayMs = static_cast<int32_t>(
      std::min<int64_t>(int64_t{mNextPeriod} + kFrameSlackMs, std::numeric_limits<int32_t>::max()));
}

void WinampHost::Pacing(bool fromTimer) {
  if (mAttachedWindow == nullptr) return;
  if (!fromTimer) {
    mPacing.FromRender();
  } else if (mPacing.FromTimer(NowMs())) {
    Step();
    mPacing.SetFrameInterval(mFrameDelayMs);
  }
  int32_t interval = 0;
  if (mOwnWindow != nullptr && mPacing.TakeIntervalChange(&interval)) {
    SetTimer(mOwnWindow, kTimerId, static_cast<UINT>(interval), nullptr);
  }
}

int32_t WinampHost::HandleGetS(AudioRequest* request) {
  return FillAudioRequest(mModule->waveform, mModule->spectrum, request);
}

int32_t WinampHost::HandleFSSt(bool flag, void*, void*) {
  SendPlayer(command::kFullscreen, flag ? 1 : 0);
  return NVStatus::kOk;
}

}  // namespace winamp
