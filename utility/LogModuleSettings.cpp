// The platform-neutral half of the log's settings, and reading them once at first use.
#include <atomic>
#include <cstdio>

#include "utility/LogFile.h"
#include "utility/LogMessage.h"
#include "utility/LogModuleLoad.h"

namespace {

constexpr uint32_t kModifierKeyCategories[] = {12, 13, 10, 14, 15, 16, 17, 18, 19, 20, 21, 70, 50};

std::atomic<int> gReads{0};

bool ReadSettings() {
  LoadLogSettings();
  ++gReads;
  return true;
}

}  // namespace

void EnsureLogSettings() {
  // A function-local static is initialised once, and other threads wait for it; the wait
  // takes no lock of the system loader, and nothing here runs while a module loads.
  static const bool read = ReadSettings();
  (void)read;
}

void ApplyLogSettings(const char* desktopFolder, bool modifierKeysHeld) {
  char folder[kLogFolderCapacity + 1];
  if (desktopFolder == nullptr) desktopFolder = "";
  // The folder ends in a separator so that the file name can simply be appended; without a
  // desktop it is the separator alone.
  std::snprintf(folder, sizeof folder, "%s\\", desktopFolder);
  StoreLogFolder(folder);
  if (modifierKeysHeld) {
    for (uint32_t category : kModifierKeyCategories) AddEnabledCategory(category);
  }
}

int LogSettingsTesting::Reads() {
  return gReads.load();
}
