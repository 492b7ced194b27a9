// A test-only VLC interface module ("nvprobe", started with --extraintf=nvprobe): it does to a
// running VLC what a user does through VLC's own menus, for the tests that drive VLC through
// libvlc, which has no call for it. The test reaches it through NvProbeSetAudioVisual, found
// in the loaded module with dlsym.
#include <atomic>

#include "NV_VLC/VlcHeaders.h"

#include <vlc_interface.h>

namespace {

std::atomic<intf_thread_t*> gInterface{nullptr};

int Open(vlc_object_t* object) {
  gInterface.store(reinterpret_cast<intf_thread_t*>(object));
  return VLC_SUCCESS;
}

void Close(vlc_object_t* object) {
  intf_thread_t* expected = reinterpret_cast<intf_thread_t*>(object);
  gInterface.compare_exchange_strong(expected, nullptr);
}

}  // namespace

// Sets the playlist's audio output's "audio-visual" as the visualization menu does. 0 when
// set, -1 without an interface or an audio output.
extern "C" __attribute__((visibility("default"))) int NvProbeSetAudioVisual(const char* value) {
  intf_thread_t* intf = gInterface.load();
  if (intf == nullptr) return -1;
  audio_output_t* output = playlist_GetAout(pl_Get(intf));
  if (output == nullptr) return -1;
  var_SetString(output, "audio-visual", value);
  vlc_object_release(output);
  return 0;
}

vlc_module_begin() set_shortname("nvprobe") set_description("Test probe interface")
    set_capability("interface", 0) set_callbacks(Open, Close) vlc_module_end()
