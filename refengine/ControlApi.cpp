// RefEngineControl: the test controls and the journal, as RefEngineControl.h declares them.
#include <cstring>
#include <string>

#include "refengine/Controls.h"
#include "refengine/Fullscreen.h"
#include "refengine/Instance.h"
#include "refengine/Journal.h"
#include "refengine/PreferenceFile.h"
#include "refengine/Preferences.h"
#include "refengine/RefEngineControl.h"

using namespace refengine;

namespace {

// The Windows error the journal file's choice answers when it runs out of memory.
constexpr uint32_t kOutOfMemoryError = 8;

void Reset() {
  try {
    ResetJournal();
    ResetControls();
    ResetPreferences();
  } catch (...) {
  }
}

// Copies text into the caller's buffer, cut to fit and zero-terminated; the text's length.
int32_t CopyOut(const std::string& text, char* buffer, int32_t bufferSize) {
  if (buffer && bufferSize > 0) {
    const size_t copied = std::min(text.size(), size_t(bufferSize) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
  }
  return int32_t(text.size());
}

int32_t JournalLineCopy(int32_t index, char* buffer, int32_t bufferSize) {
  try {
    std::string line;
    if (!JournalAt(index, &line)) return -1;
    return CopyOut(line, buffer, bufferSize);
  } catch (...) {
    return -1;
  }
}

uint32_t ChooseJournalFile(const char* utf8Path) {
  try {
    return SetJournalFile(utf8Path ? utf8Path : "");
  } catch (...) {
    return kOutOfMemoryError;
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

void ForgetStoredPreferences() {
  try {
    ForgetPreferences();
  } catch (...) {
  }
}

void PreferenceFileChoice(const char* utf8Path) {
  try {
    const std::wstring path = PreferencePathFromUtf8(utf8Path);
    if (utf8Path && *utf8Path && path.empty()) return;
    ChoosePreferenceFile(path);
  } catch (...) {
  }
}

int32_t PreferenceFileCopy(char* buffer, int32_t bufferSize) {
  try {
    const std::wstring path = PreferenceFilePath();
    return CopyOut(PreferencePathToUtf8(path), buffer, bufferSize);
  } catch (...) {
    return -1;
  }
}

int32_t SwitchFullscreen(uint32_t handle, int32_t on) {
  try {
    const std::shared_ptr<Instance> instance = FindInstance(handle);
    if (!instance) return NVStatus::kNoInstance;
    return on ? BeginFullscreen(*instance) : EndFullscreen(*instance);
  } catch (...) {
    return REFENGINE_STATUS_BAD_ARGUMENT;
  }
}

void* FullscreenWindowOf(uint32_t handle) {
  const std::shared_ptr<Instance> instance = FindInstance(handle);
  return instance ? instance->fullscreenWindow : nullptr;
}

void CoverSizeOf(uint32_t handle, int32_t* width, int32_t* height) {
  const std::shared_ptr<Instance> instance = FindInstance(handle);
  const CoverImage* cover = instance ? instance->cover.get() : nullptr;
  if (width) *width = cover ? cover->width : 0;
  if (height) *height = cover ? cover->height : 0;
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
    [](int32_t idle) { SetIdle(idle == kIdleWithAudio ? kIdleWithAudio : idle != 0 ? kIdle : 0); },
    &WindowAnswer,
    &FullscreenAnswer,
    &EventAnswer,
    &PreferenceNumber,
    &PreferenceText,
    &LiveInstanceCount,
    &ForgetStoredPreferences,
    &PreferenceFileChoice,
    &PreferenceFileCopy,
    &SwitchFullscreen,
    &FullscreenWindowOf,
    &CoverSizeOf,
    &SetCreateDelay,
    &SetRunFrameDelay,
};

}  // namespace

extern "C" const RefEngineControlApi* NV_ENGINE_CALL RefEngineControl(int32_t version) {
  return version == REFENGINE_CONTROL_VERSION ? &kControlApi : nullptr;
}
