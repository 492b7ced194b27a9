// The engine shows fullscreen in a top-level window of its own, of this window class. Hosts
// never create such a window; they recognise it (and leave the keyboard focus with it).
#pragma once

inline constexpr char kEngineFullscreenWindowClass[] = "NVFullscreenWindowClass";
inline constexpr wchar_t kEngineFullscreenWindowClassW[] = L"NVFullscreenWindowClass";
