// PixelBufferSessionDriver: the session driver of the native module. A session is the engine
// instance of a VlcVisualHost drawing into a pixel buffer of the session's size that nothing
// shows; the session thread's loop runs its frames at the period the engine answers. The
// linger timer is a deadline the loop waits for.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "NV_VLC/SessionDriver.h"
#include "visualhost/engine/EngineRecords.h"

class SessionManager;
class VlcVisualHost;

class PixelBufferSessionDriver : public SessionDriver {
 public:
  using Clock = std::chrono::steady_clock;

  // Non-zero while a start creates its engine instance: waiters then wait longer.
  static std::atomic<int32_t> sStartsInProgress;

  void SetManager(SessionManager* manager) { mManager = manager; }

  VlcVisualHost* Start(int32_t width, int32_t height, int32_t* status,
                       int32_t* secondStatus) override;
  void Stop(const char* reason) override;
  void ArmTimer(int32_t milliseconds, uint32_t generation) override;
  void Log(bool error, const char* text) override;

  // For the session thread's loop.
  bool TakeExpiredTimer(Clock::time_point now, uint32_t* generation);
  // Runs the engine's frame when one is due.
  void RunDueFrame(Clock::time_point now);
  // When the loop must wake next for the timer or a frame (time_point::max() for neither).
  Clock::time_point NextWake() const;

 private:
  SessionManager* mManager = nullptr;
  VlcVisualHost* mHost = nullptr;
  std::vector<uint32_t> mPixels;
  PixelBufferDesc mBuffer{};
  Clock::time_point mNextFrame = Clock::time_point::max();
  bool mTimerArmed = false;
  Clock::time_point mDeadline{};
  uint32_t mTimerGeneration = 0;
};
