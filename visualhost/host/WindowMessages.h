// Window message numbers and the few system values the host base reads from messages, kept
// here so that the portable host code needs no system headers. The values are the system's.
#pragma once

#include <cstddef>
#include <cstdint>

namespace WindowMessage {
constexpr uint32_t kDestroy = 0x0002;             // WM_DESTROY
constexpr uint32_t kPaint = 0x000F;               // WM_PAINT
constexpr uint32_t kClose = 0x0010;               // WM_CLOSE
constexpr uint32_t kEraseBackground = 0x0014;     // WM_ERASEBKGND
constexpr uint32_t kWindowPosChanged = 0x0047;    // WM_WINDOWPOSCHANGED
constexpr uint32_t kKeyDown = 0x0100;             // WM_KEYDOWN
constexpr uint32_t kKeyUp = 0x0101;               // WM_KEYUP
constexpr uint32_t kChar = 0x0102;                // WM_CHAR
constexpr uint32_t kSysChar = 0x0106;             // WM_SYSCHAR
constexpr uint32_t kMouseFirst = 0x0200;          // WM_MOUSEFIRST, WM_MOUSEMOVE
constexpr uint32_t kLeftButtonDown = 0x0201;      // WM_LBUTTONDOWN
constexpr uint32_t kLeftButtonUp = 0x0202;        // WM_LBUTTONUP
constexpr uint32_t kLeftButtonDblClk = 0x0203;    // WM_LBUTTONDBLCLK
constexpr uint32_t kRightButtonDown = 0x0204;     // WM_RBUTTONDOWN
constexpr uint32_t kRightButtonUp = 0x0205;       // WM_RBUTTONUP
constexpr uint32_t kRightButtonDblClk = 0x0206;   // WM_RBUTTONDBLCLK
constexpr uint32_t kMiddleButtonDown = 0x0207;    // WM_MBUTTONDOWN
constexpr uint32_t kMiddleButtonUp = 0x0208;      // WM_MBUTTONUP
constexpr uint32_t kMiddleButtonDblClk = 0x0209;  // WM_MBUTTONDBLCLK
constexpr uint32_t kMouseWheel = 0x020A;          // WM_MOUSEWHEEL
constexpr uint32_t kMouseHWheel = 0x020E;         // WM_MOUSEHWHEEL, also the last mouse message
}  // namespace WindowMessage

// The pump thread asks the window's thread for a frame with a middle-button double-click that
// no mouse can produce: this lParam marks it.
constexpr uint32_t kPumpMessage = WindowMessage::kMiddleButtonDblClk;
constexpr uint32_t kPumpMessageMark = 0xDEADBEEF;

namespace VirtualKey {
constexpr int32_t kShift = 0x10;    // VK_SHIFT
constexpr int32_t kControl = 0x11;  // VK_CONTROL
constexpr int32_t kMenu = 0x12;     // VK_MENU (Alt)
constexpr uint32_t kPageUp = 0x21;  // VK_PRIOR
constexpr uint32_t kPageDown = 0x22;
constexpr uint32_t kEnd = 0x23;
constexpr uint32_t kHome = 0x24;
constexpr uint32_t kLeft = 0x25;
constexpr uint32_t kUp = 0x26;
constexpr uint32_t kRight = 0x27;
constexpr uint32_t kDown = 0x28;
}  // namespace VirtualKey

// The engine's code (SpecialKey) for a special key of VirtualKey above; 0 for any other key.
uint16_t SpecialKeyCodeOf(uintptr_t virtualKey);

// Map types of MapVirtualKeyA.
constexpr uint32_t kMapScanCodeToVirtualKey = 1;  // MAPVK_VSC_TO_VK
constexpr uint32_t kMapVirtualKeyToChar = 2;      // MAPVK_VK_TO_CHAR

// WINDOWPOS, the lParam of WM_WINDOWPOSCHANGED, and the flags the host base looks at.
struct WindowPosition {
  void* window;
  void* insertAfter;
  int32_t x;
  int32_t y;
  int32_t cx;
  int32_t cy;
  uint32_t flags;
};
static_assert(offsetof(WindowPosition, x) == 2 * sizeof(void*));
static_assert(offsetof(WindowPosition, flags) == 2 * sizeof(void*) + 16);
static_assert(sizeof(void*) == 8 ? sizeof(WindowPosition) == 40 : sizeof(WindowPosition) == 28);

namespace WindowPositionFlag {
constexpr uint32_t kNoSize = 0x0001;  // SWP_NOSIZE
constexpr uint32_t kNoMove = 0x0002;  // SWP_NOMOVE
}  // namespace WindowPositionFlag
