// The events VLC's threads send the session thread, and what each carries.
#pragma once

#include <cstdint>

class Tap;

enum class SessionEventKind : int32_t {
  kTapAttached = 0,        // Open: a filter runs (carries its tap)
  kTapDetached = 1,        // Close: a filter went (carries its tap and the deselected flag)
  kNextInputHasVideo = 2,  // Open stood down for an input with video
  kInputSet = 3,           // the playlist has a current input again
  kInputCleared = 4,       // the playlist has no current input
  kChosenAgain = 5,        // the user chose this visualization in VLC's menu
  kAoutClosing = 6,        // an audio output is being destroyed
};

// A tap has two references: the filter's and the session thread's. TapAttached hands the
// session thread's over; the session thread drops it when it handles the tap's TapDetached,
// which Close posts just before it drops the filter's.
struct SessionEvent {
  SessionEventKind kind = SessionEventKind::kInputSet;
  Tap* tap = nullptr;
  bool deselected = false;
};
