// The platform-neutral half of the log's module-load step.
#include <cstdio>

#include "utility/LogFile.h"
#include "utility/LogMessage.h"
#include "utility/LogModuleLoad.h"

namespace {
constexpr uint32_t kModifierKeyCategories[] = {12, 13, 10, 14, 15, 16, 17, 18, 19, 20, 21, 70, 50};
}  // namespace

void ApplyLogSettings(const char* desktopFolder, bool modifierKeysHeld) {
  char folder[kLogFolderCapacity + 1];
  if (desktopFolder == nullptr) desktopFolder = "";
  // The folder ends in a separator so that the file name can simply be appended; without a
  // desktop it is the separator alone.
  std::snprintf(folder, sizeof folder, "%s\\", desktopFolder);
  SetLogFolder(folder);
  if (modifierKeysHeld) {
    for (uint32_t category : kModifierKeyCategories) EnableCategory(category);
  }
}
