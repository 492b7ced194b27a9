#include "players/shared/MessagePump.h"

namespace standin {

void PumpMessagesFor(int64_t milliseconds, ULONGLONG deadline) {
  const ULONGLONG until = GetTickCount64() + ULONGLONG(milliseconds > 0 ? milliseconds : 0);
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= until || now >= deadline) return;
    Sleep(5);
  }
}

}  // namespace standin
