// What the effect learns about the process that loaded it: whether it is Media Center, and the
// product name the module carries.
#pragma once

#include <cstddef>

namespace wmp {

// True when the executable path ends in "\EHSHELL.EXE", letters compared without regard to
// case (the backslash belongs to the compared text, so "myehshell.exe" is not Media Center).
bool IsMediaCenterExecutable(const char* path);

// Copies the product name out of the module's marker text ("DebugBreak-<name>" followed by a
// line break): the text after the first "-" up to the first character below 0x20, cut to fit
// `capacity` with its terminator. A marker without "-" gives the empty name.
void ProductNameFromMarker(const char* marker, char* name, size_t capacity);

}  // namespace wmp
