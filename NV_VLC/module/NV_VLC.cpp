// The VLC module as VLC loads it: the portable module code bound to libvlccore's own
// functions. Everything else of the module lives in the portable library beside this folder.
#include "NV_VLC/VlcCore.h"

namespace {

void LogLine(vlc_object_t* object, int priority, const char* function, const char* text) {
  vlc_Log(object, priority, "glimmora", "NV_VLC", 0, function, "%s", text);
}

mtime_t Clock() { return mdate(); }

const VlcCoreCalls kLibVlcCore = {
    &var_Create,         &var_Type,       &var_GetChecked,   &var_Inherit,
    &var_AddCallback,    &var_DelCallback, &playlist_CurrentInput, &input_GetItem,
    &vlc_meta_Get,       &vlc_mutex_lock, &vlc_mutex_unlock, &vlc_object_release,
    &Clock,              &LogLine,
};

}  // namespace

const VlcCoreCalls& DefaultVlcCore() { return kLibVlcCore; }
