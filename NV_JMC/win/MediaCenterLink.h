// The control's way to the media center: its automation interface (the running media center,
// else one created and run), and the objects its method 35 hands out by name.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>

namespace jmc {

// The automation interface of the running media center, else of one created (all server
// kinds) and run; null when there is none. The caller owns the reference.
IDispatch* ConnectToMediaCenter();

// Method 35 with the two texts: the address it answers (a 64-bit integer), 0 when the call
// fails or answers something that is no integer.
uintptr_t MediaCenterObject(IDispatch* automation, const wchar_t* name, const wchar_t* argument);

}  // namespace jmc
