// When the Winamp host's frames come from the player and when from its own timer.
//
// While the player calls Render, the host's timer only polls the player every 200 ms. About
// half a second after the player stops calling Render (a paused or minimised player keeps the
// visualization window open but stops feeding it), the timer takes over and drives the frames
// at the engine's own pace until Render calls come back.
#pragma once

#include <cstdint>

namespace winamp {

class WinampPacing {
 public:
  static constexpr int32_t kPollIntervalMs = 200;
  static constexpr int64_t kTakeOverAfterMs = 420;

  // Back to the start: no interval armed, no tick seen, not self-driven.
  void Reset();
  // The player called Render.
  void FromRender();
  // The timer ticked at nowMs; true when this tick drives a frame (the caller then runs one
  // and reports the engine's wish with SetFrameInterval).
  bool FromTimer(int64_t nowMs);
  // The interval that follows a timer-driven frame: the engine's next-frame delay plus slack.
  void SetFrameInterval(int32_t intervalMs) { mWanted = intervalMs; }
  // The interval the timer must run at, when it differs from the one armed last (which it then
  // becomes); false when the timer can stay as it is.
  bool TakeIntervalChange(int32_t* intervalMs);

  bool SelfDriven() const { return mSelfDriven; }

 private:
  int32_t mArmed = -1;
  int32_t mWanted = -1;
  bool mTicked = false;
  int64_t mFirstTickMs = 0;
  bool mSelfDriven = false;
};

}  // namespace winamp
