#include "NV_JMC/win/MediaCenterKeys.h"

#include <cstdio>
#include <cstring>

#include "NV_JMC/JmcIdentity.h"
#include "NV_JMC/win/JmcControl.h"

namespace jmc {
namespace {

constexpr REGSAM kPluginKeyAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
constexpr REGSAM kRemoveAccess = kPluginKeyAccess;

using DeleteKeyExFn = LSTATUS(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);

struct KeyNames {
  char probe[64];
  char plugin[96];
};

KeyNames NamesFor(int version) {
  KeyNames names;
  std::snprintf(names.probe, sizeof(names.probe), "Software\\J. River\\Media Center %d", version);
  std::snprintf(names.plugin, sizeof(names.plugin), "%s\\Plugins\\Display\\%s", names.probe,
                kProductName);
  return names;
}

void SetText(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 DWORD(std::strlen(text) + 1));
}

// The control's class in registry form, as ANSI text; false when it cannot be made.
bool ClassIdText(char (&text)[64]) {
  LPOLESTR wide = nullptr;
  if (FAILED(StringFromCLSID(ControlClassId(), &wide)) || wide == nullptr) return false;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
  CoTaskMemFree(wide);
  return bytes > 0;
}

void WriteValues(HKEY key, const char* classId) {
  if (classId != nullptr) SetText(key, "CLSID", classId);
  const DWORD interfaceVersion = kInterfaceVersion;
  RegSetValueExA(key, "IVersion", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&interfaceVersion),
                 sizeof(interfaceVersion));
  SetText(key, "Company", kCompany);
  SetText(key, "Version", kVersion);
  SetText(key, "URL", kUrl);
  SetText(key, "Copyright", kCopyright);
}

// Deletes the key's subkeys one after the other, each with its own subkeys; false when one
// cannot be deleted.
bool DeleteSubkeys(HKEY key) {
  for (;;) {
    char name[256];
    DWORD length = sizeof(name);
    const LSTATUS found = RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (found == ERROR_NO_MORE_ITEMS) return true;
    if (found != ERROR_SUCCESS) return false;
    HKEY child = nullptr;
    if (RegOpenKeyExA(key, name, 0, kRemoveAccess, &child) != ERROR_SUCCESS) return false;
    const bool emptied = DeleteSubkeys(child);
    RegCloseKey(child);
    if (!emptied || DeleteRegistryKey(key, name) != ERROR_SUCCESS) return false;
  }
}

}  // namespace

LSTATUS DeleteRegistryKey(HKEY parent, const char* subkey) {
  static const DeleteKeyExFn deleteKeyEx = [] {
    HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
    if (advapi == nullptr) advapi = LoadLibraryW(L"advapi32.dll");
    return advapi != nullptr
               ? reinterpret_cast<DeleteKeyExFn>(
                     reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExA")))
               : nullptr;
  }();
  if (deleteKeyEx != nullptr) return deleteKeyEx(parent, subkey, 0, 0);
  return RegDeleteKeyA(parent, subkey);
}

void WriteMediaCenterKeys(HKEY root) {
  char classId[64];
  const char* classIdText = ClassIdText(classId) ? classId : nullptr;
  HKEY previous = nullptr;
  for (int version = kFirstMediaCenterVersion; version <= kLastMediaCenterVersion; ++version) {
    const KeyNames names = NamesFor(version);
    HKEY probe = nullptr;
    if (RegOpenKeyExA(root, names.probe, 0, KEY_QUERY_VALUE, &probe) != ERROR_SUCCESS) continue;
    RegCloseKey(probe);
    HKEY plugin = nullptr;
    if (RegCreateKeyExA(root, names.plugin, 0, nullptr, 0, kPluginKeyAccess, nullptr, &plugin,
                        nullptr) != ERROR_SUCCESS)
      continue;
    if (previous != nullptr) RegCloseKey(previous);
    previous = plugin;
    WriteValues(plugin, classIdText);
  }
  if (previous != nullptr) RegCloseKey(previous);
}

void RemoveMediaCenterKeys(HKEY root) {
  for (int version = kFirstMediaCenterVersion; version <= kLastMediaCenterVersion; ++version) {
    const KeyNames names = NamesFor(version);
    HKEY plugin = nullptr;
    if (RegOpenKeyExA(root, names.plugin, 0, kRemoveAccess, &plugin) != ERROR_SUCCESS) continue;
    const bool emptied = DeleteSubkeys(plugin);
    RegCloseKey(plugin);
    if (emptied) DeleteRegistryKey(root, names.plugin);
  }
}

}  // namespace jmc
