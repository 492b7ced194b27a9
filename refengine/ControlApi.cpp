// RefEngineControl: the test controls and the journal, as RefEngineControl.h declares them.
#include <cstring>
#include <string>

#include "refengine/Controls.h"
#include "refengine/Instance.h"
#include "refengine/Journal.h"
#include "refengine/Preferences.h"
#include "refengine/RefEngineControl.h"

using namespace refengine;

namespace {

void Reset() {
  try {
    ResetJournal();
    ResetControls();
    ResetPreferences();
  } catch (...) {
  }
}

int32_t JournalLineCopy(int32_t index, char* buffer, int32_t bufferSize) {
  try {
    std::string line;
    if (!JournalAt(index, &line)) return -1;
    if (buffer && bufferSize > 0) {
      const size_t copied = std::min(line.size(), size_t(bufferSize) - 1);
      std::memcpy(buffer, line.data(), copied);
      buffer[copied] = '\0';
    }
    return int32_t(line.size());
  } catch (...) {
    return -1;
  }
}

uint32_t ChooseJournalFile(const char* utf8Path) {
  try {
    return SetJournalFile(utf8Path ? utf8Path : "");
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

void FailGetApi(int32_t status, int32_t nullTable) {
  SetGetApiFailure(GetApiFailure{status, nullTable != 0});
}

void WindowAnswer(int32_t fixed, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  SetWindowAnswer(fixed ? std::optional<EngineRect>(EngineRect{left, top, right, bottom})
                        : std::nullopt);
}

void FullscreenAnswer(int32_t fixed, int64_t answer) {
  SetFullscreenAnswer(fixed ? std::optional<int64_t>(answer) : std::nullopt);
}

void EventAnswer(int32_t fixed, int64_t answer) {
  SetEventAnswer(fixed ? std::optional<int64_t>(answer) : std::nullopt);
}

void PreferenceNumber(const char* name, uint32_t type, int64_t integer, double number) {
  try {
    if (name) StoreNumberPreference(name, type, integer, number);
  } catch (...) {
  }
}

void PreferenceText(const char* name, const char* utf8Text) {
  try {
    if (name) StoreTextPreference(name, utf8Text ? utf8Text : "");
  } catch (...) {
  }
}

const RefEngineControlApi kControlApi{
    sizeof(RefEngineControlApi),
    &Reset,
    &JournalCount,
    &JournalLineCopy,
    &ChooseJournalFile,
    &FailGetApi,
    &SetCreateFailure,
    &SetFramePeriod,
    [](int32_t idle) { SetIdle(idle != 0); },
    &WindowAnswer,
    &FullscreenAnswer,
    &EventAnswer,
    &PreferenceNumber,
    &PreferenceText,
    &LiveInstanceCount,
};

}  // namespace

extern "C" const RefEngineControlApi* NV_ENGINE_CALL RefEngineControl(int32_t version) {
  return version == REFENGINE_CONTROL_VERSION ? &kControlApi : nullptr;
}
