// WindowSessionDriver: the session driver of the Windows module. A session is a top-level
// window of the module's own class with the engine instance of a VlcVisualHost attached to it,
// rendered by the host's render timer on the session thread. The linger timer is a deadline
// that the session thread's loop waits for.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "NV_VLC/SessionDriver.h"

class SessionManager;
class VlcVisualHost;

class WindowSessionDriver : public SessionDriver {
 public:
  // Non-zero while a start creates its engine instance: waiters then wait longer.
  static std::atomic<int32_t> sStartsInProgress;

  void SetManager(SessionManager* manager) { mManager = manager; }

  VlcVisualHost* Start(int32_t width, int32_t height, int32_t* status,
                       int32_t* secondStatus) override;
  void Stop(const char* reason) override;
  void ArmTimer(int32_t milliseconds, uint32_t generation) override;
  void Log(bool error, const char* text) override;

  // For the session thread's loop.
  bool TakeCloseRequest(uint32_t* windowSerial);
  bool TakeExpiredTimer(uint64_t now, uint32_t* generation);
  // Milliseconds until the timer is due (0 when it is), INFINITE without one.
  DWORD WaitLimit(uint64_t now) const;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterWindowClass();
  HWND CreateSessionWindow(int32_t width, int32_t height);

  SessionManager* mManager = nullptr;
  VlcVisualHost* mHost = nullptr;
  HWND mWindow = nullptr;
  bool mActive = false;
  bool mClassRegistered = false;
  bool mCloseRequested = false;
  uint32_t mWindowSerial = 0;
  bool mTimerArmed = false;
  uint64_t mDeadline = 0;
  uint32_t mTimerGeneration = 0;
};
