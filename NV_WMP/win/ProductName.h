// The product name of the process, read from the marker text the module carries
// ("DebugBreak-<name>" and a line break): filled once, at the first effect object.
#pragma once

namespace wmp {

// Fills the name if it is still empty.
void FillProductName();
// The name ("" before the first fill).
const char* ProductName();

}  // namespace wmp
