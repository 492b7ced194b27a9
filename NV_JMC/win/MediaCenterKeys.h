// The media center's own registration of display plug-ins: one plug-in key per installed major
// version, under HKEY_LOCAL_MACHINE (or the root a caller gives):
//   probe key   Software\J. River\Media Center <N>
//   plug-in key Software\J. River\Media Center <N>\Plugins\Display\Glimmora
// for N from 11 to 49. The plug-in key holds the six values the media center reads.
#pragma once

#include <windows.h>

namespace jmc {

constexpr int kFirstMediaCenterVersion = 11;
constexpr int kLastMediaCenterVersion = 49;

// Writes the plug-in key with its values under every version whose probe key exists. The
// class identifier's text is left out when it cannot be made. Versions without a probe key,
// or whose plug-in key cannot be made, are skipped.
void WriteMediaCenterKeys(HKEY root);
// Removes every version's plug-in key with all its subkeys; a key whose subkeys cannot all be
// deleted is left in place.
void RemoveMediaCenterKeys(HKEY root);

// RegDeleteKeyExA, looked up by name in advapi32.dll on first use; RegDeleteKeyA where the
// system has none.
LSTATUS DeleteRegistryKey(HKEY parent, const char* subkey);

}  // namespace jmc
