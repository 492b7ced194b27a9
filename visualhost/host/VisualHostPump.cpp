// Frame pacing outside the engine calls: the render timer's tick and the pump thread.
#include "visualhost/host/HostSystem.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/host/WindowMessages.h"

namespace {

// A window thread that does not answer within this time costs one frame.
constexpr uint32_t kPumpSendTimeoutMs = 300;
constexpr uint32_t kDisabledPollMs = 2;
constexpr uint32_t kNoWindowPollMs = 300;
constexpr uint32_t kAfterFailedSendMs = 1;
// The pump asks for the next frame this much after the period the engine gave.
constexpr intptr_t kPumpSlackMs = 6;
constexpr intptr_t kLongestPumpPeriodMs = 5000;

}  // namespace

void VisualHost::OnFrameTimer(VisualHost* host) {
  // Called from the window's message loop: nothing may escape into the system.
  try {
    host->Step();
    host->Schedule(true);
  } catch (...) {
  }
}

uint32_t VisualHost::RunPumpThread(VisualHost* host) {
  const HostSystemCalls& system = HostSystem();
  while (host->mInstance.load() != 0) {
    if (!host->mPumpEnabled.load()) {
      system.sleep(kDisabledPollMs);
      continue;
    }
    HostWindow window = host->mAttachedWindow.load();
    if (window == nullptr) {
      system.sleep(kNoWindowPollMs);
      continue;
    }
    intptr_t period = 0;
    if (system.sendMessageTimeout(window, kPumpMessage, 0,
                                  static_cast<intptr_t>(kPumpMessageMark), kPumpSendTimeoutMs,
                                  &period)) {
      // A negative answer (a window that does not know the message) asks again at once; an
      // absurd period must not park the thread beyond the wait of StopInstance.
      if (period < 0) period = 0;
      if (period > kLongestPumpPeriodMs) period = kLongestPumpPeriodMs;
      system.sleep(static_cast<uint32_t>(period + kPumpSlackMs));
    } else {
      system.sleep(kAfterFailedSendMs);
    }
  }
  return 0;
}
