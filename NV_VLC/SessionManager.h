// SessionManager: keeps one engine instance and window (the session) running across VLC's
// filters, which come and go with inputs and audio outputs.
//
// A session starts when the first tap attaches, serves every tap that attaches while it lives
// and outlives the last one by a linger (4000 ms while the playlist has an input, 750 ms when
// it has none), so that the next input's filter joins it. Deselecting the visualization, an
// audio output closing, or a next input with video (while audio-only is set) end a lingering
// session at once; the user closing the window turns the visualizer off until playback stops
// or the visualization is chosen again.
//
// Everything runs on the session thread. Handling never nests: an event that arrives while
// one is being handled (a window message pumped during a start, say) is deferred and handled
// right after it, in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "NV_VLC/SessionDriver.h"
#include "NV_VLC/SessionEvent.h"

class Tap;
class VlcVisualHost;

class SessionManager {
 public:
  enum class State : int32_t { kIdle = 0, kRunning = 1, kStartFailed = 2, kClosedByUser = 3 };

  static constexpr int32_t kLingerWithInputMs = 4000;
  static constexpr int32_t kLingerWithoutInputMs = 750;

  explicit SessionManager(SessionDriver& driver);
  SessionManager(const SessionManager&) = delete;
  SessionManager& operator=(const SessionManager&) = delete;
  ~SessionManager();

  // The session thread's entry points. A TapAttached hands over the session thread's tap
  // reference, which the tap's TapDetached gives up.
  void HandleEvent(const SessionEvent& event);
  void TimerExpired(uint32_t generation);
  void WindowClosedByUser(uint32_t sessionSerial);

  // A session line: to the newest attached filter that can still take it, else the driver.
  void Log(bool error, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;

  State CurrentState() const { return mState; }
  VlcVisualHost* Host() const { return mHost; }
  size_t TapCount() const { return mTaps.size(); }
  bool IsLingering() const { return mLingering; }
  uint32_t SessionSerial() const { return mSessionSerial; }

 private:
  struct Deferred {
    enum Kind { kEvent, kTimer, kWindowClosed } kind;
    SessionEvent event;
    uint32_t number;  // timer generation or session serial
  };

  // Handles the item now, or defers it while another is being handled.
  void Dispatch(const Deferred& item);
  void Handle(const Deferred& item);
  void Drain();

  void OnTapAttached(Tap* tap);
  void OnTapDetached(Tap* tap, bool deselected);
  void OnInputChanged(bool hasInput);
  void OnChosenAgain();
  void EndIfNotPlainIdle(const char* reason);
  void OnTimerExpired(uint32_t generation);
  void OnWindowClosed(uint32_t serial);

  void StartSession();
  void EndSession(const char* reason);
  void ArmLinger(int32_t milliseconds);
  bool IsPlainIdle() const { return !mLingering && mState == State::kIdle; }
  // The host's lines go to the manager's log.
  static void LogFromHost(void* manager, const char* text);

  SessionDriver& mDriver;
  VlcVisualHost* mHost = nullptr;
  State mState = State::kIdle;
  std::vector<Tap*> mTaps;  // oldest first; the session thread's reference each
  std::deque<Deferred> mDeferred;
  int32_t mBusy = 0;
  bool mLingering = false;
  bool mNoInput = false;
  uint32_t mLingerGeneration = 0;
  uint32_t mSessionSerial = 0;
};
