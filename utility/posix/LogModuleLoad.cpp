// Native stand-in for reading the log's settings: there is no desktop shell and no key state,
// so the log folder is the bare separator and no category is enabled.
#include "utility/LogModuleLoad.h"

void LoadLogSettings() {
  ApplyLogSettings(nullptr, false);
}
