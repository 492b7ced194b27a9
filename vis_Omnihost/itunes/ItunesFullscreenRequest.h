// The fullscreen state the plug-in last asked iTunes for, remembered for a while.
//
// iTunes answers a fullscreen request ('sful') by moving and resizing the view window and then
// telling the plug-in about the new frame, in several steps; while that settles, what the
// window looks like (its size, the flag of a message) may still be the old state. For
// kMemoryMs after a request, an attach that sees another state keeps the one asked for.
#pragma once

#include <cstdint>

namespace itunes {

class FullscreenRequest {
 public:
  static constexpr int64_t kMemoryMs = 3000;

  // The plug-in asked iTunes for the state at the time.
  void Note(bool fullscreen, int64_t nowMs) {
    mRequestMs = nowMs;
    mRequested = fullscreen;
  }
  // The state an attach uses, given the one it detected; the request is settled by it.
  bool Settle(bool detected, int64_t nowMs);

  bool Pending() const { return mRequestMs != 0; }
  bool Requested() const { return mRequested; }

 private:
  int64_t mRequestMs = 0;  // 0: nothing pending
  bool mRequested = false;
};

}  // namespace itunes
