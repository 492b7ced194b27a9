#include "players/winamp/KeyPresses.h"

#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"

namespace winamp_standin {
namespace {

// lParam of a key message: repeat count 1, the key's scan code, the Alt context bit for system
// keys, and the previous-state and transition bits for a release.
LPARAM KeyParam(uint32_t virtualKey, bool sys, bool up) {
  const uint32_t scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  uint32_t bits = 1u | (scan & 0xFFu) << 16;
  if (sys) bits |= 1u << 29;
  if (up) bits |= 1u << 30 | 1u << 31;
  return LPARAM(bits);
}

void PostKey(HWND window, uint32_t virtualKey, bool sys, bool up) {
  const UINT message = sys ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
  const LPARAM lParam = KeyParam(virtualKey, sys, up);
  const BOOL posted = PostMessageW(window, message, virtualKey, lParam);
  refengine::JournalLine line(call::kKeySent);
  WriteJournal(line.Number("message", message)
                   .Number("vk", virtualKey)
                   .Number("lparam", int64_t(uint32_t(lParam)))
                   .Address("window", window)
                   .Number("posted", posted ? 1 : 0));
}

}  // namespace

void KeyPresses::Press(HWND window, uint32_t virtualKey, uint32_t holdMs, bool sys) {
  PostKey(window, virtualKey, sys, false);
  mPending.push_back({window, virtualKey, sys, GetTickCount64() + holdMs});
  if (holdMs == 0) PostDue();
}

void KeyPresses::PostDue() {
  const ULONGLONG now = GetTickCount64();
  for (auto it = mPending.begin(); it != mPending.end();) {
    if (it->due > now) {
      ++it;
      continue;
    }
    PostKey(it->window, it->virtualKey, it->sys, true);
    it = mPending.erase(it);
  }
}

}  // namespace winamp_standin
