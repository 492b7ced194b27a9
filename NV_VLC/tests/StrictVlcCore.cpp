// The test program's default table of VLC core calls: there is no VLC core here, so any call
// that a test did not expect (by installing a fake for it) fails that test.
#include <gtest/gtest.h>

#include "NV_VLC/VlcCore.h"

namespace {

void Unexpected(const char* call) { ADD_FAILURE() << "unexpected call into VLC's core: " << call; }

const VlcCoreCalls kStrictCalls = {
    [](vlc_object_t*, const char*, int) { return Unexpected("var_Create"), VLC_EGENERIC; },
    [](vlc_object_t*, const char*) { return Unexpected("var_Type"), 0; },
    [](vlc_object_t*, const char*, int, vlc_value_t*) {
      return Unexpected("var_GetChecked"), VLC_EGENERIC;
    },
    [](vlc_object_t*, const char*, int, vlc_value_t*) {
      return Unexpected("var_Inherit"), VLC_EGENERIC;
    },
    [](vlc_object_t*, const char*, vlc_callback_t, void*) { Unexpected("var_AddCallback"); },
    [](vlc_object_t*, const char*, vlc_callback_t, void*) { Unexpected("var_DelCallback"); },
    [](playlist_t*) -> input_thread_t* { return Unexpected("playlist_CurrentInput"), nullptr; },
    [](input_thread_t*) -> input_item_t* { return Unexpected("input_GetItem"), nullptr; },
    [](const vlc_meta_t*, vlc_meta_type_t) -> const char* {
      return Unexpected("vlc_meta_Get"), nullptr;
    },
    [](vlc_mutex_t*) { Unexpected("vlc_mutex_lock"); },
    [](vlc_mutex_t*) { Unexpected("vlc_mutex_unlock"); },
    [](vlc_object_t*) { Unexpected("vlc_object_release"); },
    []() -> mtime_t { return Unexpected("mdate"), 0; },
    [](vlc_object_t*, int, const char*, const char*) { Unexpected("vlc_Log"); },
};

}  // namespace

const VlcCoreCalls& DefaultVlcCore() { return kStrictCalls; }
