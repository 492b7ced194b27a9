// The system handles an engine instance keeps for its host's targets and its own fullscreen
// window: Windows handles in the Windows build; natively only pixel buffers are drawn into, and
// the handles are opaque values the engine records but never uses.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

namespace refengine {

#ifdef _WIN32
using NativeWindow = HWND;
using NativeDC = HDC;
#else
using NativeWindow = void*;
using NativeDC = void*;
#endif

}  // namespace refengine
