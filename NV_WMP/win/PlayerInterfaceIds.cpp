// The identifiers of the player's interfaces that MinGW's wmp.h declares (IWMPCore, IWMPMedia3,
// IWMPEvents and the rest) are defined here once: no import library carries them. The stand-in
// player compiles this file too.
#include <windows.h>
#include <initguid.h>
#include <wmp.h>
