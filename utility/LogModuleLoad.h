// The log's settings: the log folder on the user's desktop, and the console categories turned
// on by holding Shift with Ctrl or Alt.
//
// They are read at the first use of the log in a module (a message that needs the category
// table or the file, EnableCategory, SetLogFolder, LogFolder), once, whichever thread comes
// first; never while the module loads. Reading them asks the shell and the keyboard state,
// which a plug-in must not do under the loader lock of DllMain or in a static constructor.
#pragma once

#include <cstdint>

// Reads the settings on the first call; every later call, and every call of another thread
// while the first is reading, returns once they are in place.
void EnsureLogSettings();

// Reads and applies the settings for this platform (the desktop folder and the key state).
// Called by EnsureLogSettings only.
void LoadLogSettings();

// The platform-neutral part: stores desktopFolder (UTF-8, already normalised; null when no
// desktop was found) as the log folder and, when the keys were held, enables the categories
// 12, 13, 10, 14, 15, 16, 17, 18, 19, 20, 21, 70 and 50 in that order.
void ApplyLogSettings(const char* desktopFolder, bool modifierKeysHeld);

// The stores the settings fill, without the first-use step (which would wait for itself).
void StoreLogFolder(const char* folder);
void AddEnabledCategory(uint32_t category);

namespace LogSettingsTesting {
// How many times this module has read the settings: 0 before the first use, then 1.
int Reads();
}  // namespace LogSettingsTesting
