// Native stand-in for the log's module-load step: there is no desktop shell and no key state
// at load time, so the log folder is the bare separator and no category is enabled.
#include "utility/LogModuleLoad.h"

void LoadLogSettings() {
  ApplyLogSettings(nullptr, false);
}
