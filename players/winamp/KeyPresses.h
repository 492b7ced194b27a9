// Key presses the player makes in the plug-in's window, as the system would deliver them to a
// focused window: the key-down message at once and the key-up message after the key was held
// for a while. Messages are posted, so the plug-in handles them on its own thread's loop. Main
// thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace winamp_standin {

class KeyPresses {
 public:
  // sys: WM_SYSKEYDOWN and WM_SYSKEYUP (a key pressed with Alt) instead of WM_KEYDOWN and
  // WM_KEYUP.
  void Press(HWND window, uint32_t virtualKey, uint32_t holdMs, bool sys);
  // Posts the key-up messages that are due.
  void PostDue();

 private:
  struct Release {
    HWND window;
    uint32_t virtualKey;
    bool sys;
    ULONGLONG due;
  };
  std::vector<Release> mPending;
};

}  // namespace winamp_standin
