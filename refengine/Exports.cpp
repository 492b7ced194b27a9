// The engine library's exports, as every host binds them by name.
#include "refengine/Controls.h"
#include "refengine/EngineTable.h"
#include "refengine/Instance.h"
#include "refengine/Journal.h"
#include "refengine/RefEngineControl.h"

using namespace refengine;

extern "C" int32_t NV_ENGINE_CALL GetNVVisualAPI(int32_t version, const EngineTable** table,
                                                 void* reserved) {
  try {
    JournalLine line("GetNVVisualAPI");
    line.Number("version", version).Address("reserved", reserved);
    const GetApiFailure failure = GetApiFailureControl();
    int32_t status = failure.status;
    if (status == 0 && version != kEngineApiVersion) status = REFENGINE_STATUS_BAD_VERSION;
    if (status == 0 && !table) status = REFENGINE_STATUS_BAD_ARGUMENT;
    if (status == 0) *table = failure.nullTable ? nullptr : TheEngineTable();
    line.Number("table", status == 0 && !failure.nullTable ? 1 : 0).Number("status", status);
    WriteJournal(line);
    return status;
  } catch (...) {
    return REFENGINE_STATUS_BAD_ARGUMENT;
  }
}

extern "C" void NV_ENGINE_CALL ReleaseNVVisualAPI(const EngineTable* table) {
  try {
    WriteJournal(JournalLine("ReleaseNVVisualAPI")
                     .Number("ours", table == TheEngineTable() ? 1 : 0)
                     .Number("instances", LiveInstanceCount()));
  } catch (...) {
  }
}
