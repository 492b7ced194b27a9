#include "players/wmp/EffectRegistry.h"

#include <objbase.h>

#include "players/wmp/WmpStandInControl.h"

namespace wmp_standin {

namespace {

std::wstring TextValue(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  return text;
}

}  // namespace

std::vector<RegisteredEffect> FindRegisteredEffects() {
  std::vector<RegisteredEffect> found;
  const std::wstring effectsPath(kEffectsKey, kEffectsKey + sizeof(kEffectsKey) - 1);
  HKEY effects = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, effectsPath.c_str(), 0, KEY_READ, &effects) !=
      ERROR_SUCCESS) {
    return found;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    const LSTATUS status =
        RegEnumKeyExW(effects, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) break;
    RegisteredEffect effect;
    effect.key = name;
    effect.classid =
        TextValue(HKEY_LOCAL_MACHINE, effectsPath + L"\\" + name + L"\\Properties", L"classid");
    if (effect.classid.empty() || FAILED(CLSIDFromString(effect.classid.c_str(), &effect.clsid)))
      continue;
    found.push_back(effect);
  }
  RegCloseKey(effects);
  return found;
}

std::wstring ServerPath(const std::wstring& classid) {
  return TextValue(HKEY_CLASSES_ROOT, L"CLSID\\" + classid + L"\\InprocServer32", nullptr);
}

}  // namespace wmp_standin
