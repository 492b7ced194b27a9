// The effects registered with the player, read as the player reads them: each key under
// HKLM\SOFTWARE\Microsoft\MediaPlayer\Objects\Effects whose Properties subkey holds a "classid"
// text that names a class, in the registry view of the calling process's width.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wmp_standin {

struct RegisteredEffect {
  std::wstring key;      // the effect's key name
  std::wstring classid;  // as registered, "{...}"
  CLSID clsid;
};

// In the order the registry lists the keys; keys without a usable classid are left out.
std::vector<RegisteredEffect> FindRegisteredEffects();

// The InprocServer32 path registered for the class (empty when there is none).
std::wstring ServerPath(const std::wstring& classid);

}  // namespace wmp_standin
