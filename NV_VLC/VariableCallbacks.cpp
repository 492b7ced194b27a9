#include "NV_VLC/VariableCallbacks.h"

#include <cstring>

#include "NV_VLC/FilterState.h"
#include "NV_VLC/ModuleOptions.h"
#include "NV_VLC/SessionLink.h"
#include "NV_VLC/VlcLog.h"

int OnAudioVisual(vlc_object_t*, const char*, vlc_value_t, vlc_value_t value, void* data) {
  auto* filter = static_cast<filter_t*>(data);
  const char* chosen = value.psz_string != nullptr ? value.psz_string : "";
  const bool again = std::strcmp(chosen, ModuleOptions::kModuleName) == 0;
  if (again) {
    SessionLink().post({SessionEventKind::kChosenAgain, nullptr, false});
  } else if (auto* state = reinterpret_cast<FilterState*>(filter->p_sys)) {
    state->deselected.store(true, std::memory_order_release);
  }
  FilterLog(VLC_OBJECT(filter), VLC_MSG_DBG, "OnAudioVisual",
            "session: audio-visual -> '%s' (%s) @%lld", chosen,
            again ? "chosen again" : "deselected", ClockMs());
  return VLC_SUCCESS;
}

int OnAoutVolume(vlc_object_t* output, const char*, vlc_value_t, vlc_value_t value, void*) {
  if (!(value.f_float < 0.0f)) return VLC_SUCCESS;
  const long long before = ClockMs();
  SessionLink().postAndWait(SessionEventKind::kAoutClosing);
  FilterLog(output, VLC_MSG_DBG, "OnAoutVolume",
            "session: audio output closing @%lld (waited %lld ms)", before, ClockMs() - before);
  return VLC_SUCCESS;
}

int OnInputCurrent(vlc_object_t* playlist, const char*, vlc_value_t, vlc_value_t value, void*) {
  const bool set = value.p_address != nullptr;
  FilterLog(playlist, VLC_MSG_DBG, "OnInputCurrent", "session: input-current -> %s @%lld",
            set ? "set" : "NULL", ClockMs());
  SessionLink().post(
      {set ? SessionEventKind::kInputSet : SessionEventKind::kInputCleared, nullptr, false});
  return VLC_SUCCESS;
}
