// The log's set-up when a module loads: the log folder on the user's desktop, and the console
// categories turned on by holding Shift with Ctrl or Alt.
#pragma once

// Runs the set-up for this platform. Called once, while the module's static objects are built.
void LoadLogSettings();

// The platform-neutral part: stores desktopFolder (UTF-8, already normalised; null when no
// desktop was found) as the log folder and, when the keys were held, enables the categories
// 12, 13, 10, 14, 15, 16, 17, 18, 19, 20, 21, 70 and 50 in that order.
void ApplyLogSettings(const char* desktopFolder, bool modifierKeysHeld);
