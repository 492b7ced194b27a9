// The filter's open and close callbacks and its audio function, on VLC's threads. They do the
// audio and metadata work and post every change of the session to the session thread; none
// of them touches a window or the engine.
#include "NV_VLC/FilterCallbacks.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "NV_VLC/FeedFormat.h"
#include "NV_VLC/FilterState.h"
#include "NV_VLC/ModuleOptions.h"
#include "NV_VLC/ObjectTree.h"
#include "NV_VLC/SessionLink.h"
#include "NV_VLC/Tap.h"
#include "NV_VLC/VariableCallbacks.h"
#include "NV_VLC/VlcCore.h"
#include "NV_VLC/VlcLog.h"

namespace {

constexpr mtime_t kFastPollPeriodUs = 15000000;
constexpr int32_t kLeadLogStepMs = 50;

FilterState* StateOf(filter_t* filter) { return reinterpret_cast<FilterState*>(filter->p_sys); }

bool InheritBool(vlc_object_t* object, const char* name) {
  vlc_value_t value{};
  return VlcCore().varInherit(object, name, VLC_VAR_BOOL, &value) == VLC_SUCCESS && value.b_bool;
}

int64_t InheritInteger(vlc_object_t* object, const char* name) {
  vlc_value_t value{};
  return VlcCore().varInherit(object, name, VLC_VAR_INTEGER, &value) == VLC_SUCCESS ? value.i_int
                                                                                     : 0;
}

// The playlist's current input has a selected video track, or cannot tell.
bool CurrentInputHasVideo(vlc_object_t* object) {
  playlist_t* playlist = FindPlaylist(object);
  if (playlist == nullptr) return false;
  const VlcCoreCalls& core = VlcCore();
  input_thread_t* input = core.playlistCurrentInput(playlist);
  if (input == nullptr) return false;
  vlc_value_t value{};
  const int read = core.varGetChecked(VLC_OBJECT(input), "video-es", VLC_VAR_INTEGER, &value);
  core.objectRelease(VLC_OBJECT(input));
  return read != VLC_SUCCESS || value.i_int >= 0;
}

// Each callback at most once per object, however many filters open: the marker variable
// says it is there. They are never removed.
bool MarkWatched(vlc_object_t* object) {
  const VlcCoreCalls& core = VlcCore();
  if (core.varType(object, "glimmora-watched") != 0) return false;
  core.varCreate(object, "glimmora-watched", VLC_VAR_BOOL);
  return true;
}

void WatchParents(vlc_object_t* object, FilterState& state) {
  const VlcCoreCalls& core = VlcCore();
  vlc_object_t* output = object->obj.parent;
  if (output != nullptr && core.varType(output, "audio-visual") != 0) {
    core.varAddCallback(output, "audio-visual", &OnAudioVisual, object);
    state.audioOutput = output;
    if (MarkWatched(output)) core.varAddCallback(output, "volume", &OnAoutVolume, nullptr);
  }
  if (playlist_t* playlist = FindPlaylist(object)) {
    if (MarkWatched(VLC_OBJECT(playlist))) {
      core.varAddCallback(VLC_OBJECT(playlist), "input-current", &OnInputCurrent, nullptr);
    }
  }
}

// Writes the session thread's lines to this filter's log.
void LogFromSession(vlc_object_t* filter, bool error, const char* text) {
  VlcCore().log(filter, error ? VLC_MSG_ERR : VLC_MSG_DBG, "LogFromSession", text);
}

block_t* DoWork(filter_t* filter, block_t* block) {
  FilterState* state = StateOf(filter);
  if (state == nullptr || block == nullptr) return block;
  const mtime_t now = VlcCore().clock();
  const int64_t blockLeadUs = block->i_pts > 0 ? block->i_pts - now : 0;
  state->feed->Push(reinterpret_cast<const float*>(block->p_buffer),
                    static_cast<int32_t>(block->i_nb_samples), blockLeadUs);
  const int32_t lead = state->feed->LeadMs();
  if (std::abs(lead - state->lastLoggedLeadMs) >= kLeadLogStepMs) {
    FilterLog(VLC_OBJECT(filter), VLC_MSG_DBG, "DoWork", "playback lead %d ms (block lead %d ms)",
              lead, static_cast<int>(blockLeadUs / 1000));
    state->lastLoggedLeadMs = lead;
  }
  PollTrackMeta(VLC_OBJECT(filter), now, state->poll, state->feed->Meta());
  return block;
}

// Open from step 2 on, once the engine is known to be there.
int OpenInstalled(filter_t* filter) {
  vlc_object_t* object = VLC_OBJECT(filter);
  auto* state = new (std::nothrow) FilterState();
  if (state == nullptr) return VLC_ENOMEM;
  filter->p_sys = reinterpret_cast<filter_sys_t*>(state);
  const auto give_up = [&](int result) {
    delete state;
    filter->p_sys = nullptr;
    return result;
  };

  if (InheritBool(object, ModuleOptions::kAudioOnly) && CurrentInputHasVideo(object)) {
    FilterLog(object, VLC_MSG_DBG, "Open",
              "input has a video track and glimmora-audio-only is set -- standing down @%lld",
              ClockMs());
    SessionLink().post({SessionEventKind::kNextInputHasVideo, nullptr, false});
    return give_up(VLC_EGENERIC);
  }

  filter->fmt_in.audio.i_format = VLC_CODEC_FL32;
  filter->fmt_out.audio = filter->fmt_in.audio;
  const ChannelLayout layout = LayoutOfChannelMask(filter->fmt_in.audio.i_physical_channels);
  const unsigned rate = filter->fmt_in.audio.i_rate;
  if (rate == 0 || rate > INT32_MAX || layout.channels == 0) return give_up(VLC_EGENERIC);

  state->feed = CountedRef<AudioFeed>::Adopt(
      new AudioFeed(static_cast<int32_t>(rate), layout.channels, layout.lfeSlot));
  state->poll.fastPollUntil = VlcCore().clock() + kFastPollPeriodUs;
  FilterLog(object, VLC_MSG_DBG, "Open", "%s: %u Hz, %u ch (LFE slot %d) -> mono %d Hz",
            "Glimmora", rate, static_cast<unsigned>(layout.channels), layout.lfeSlot,
            state->feed->Format().outputRate);
  FilterLog(object, VLC_MSG_DBG, "Open", "session: open @%lld", ClockMs());

  WatchParents(object, *state);
  const int64_t height = InheritInteger(object, ModuleOptions::kHeight);
  const int64_t width = InheritInteger(object, ModuleOptions::kWidth);
  state->tap = new Tap(state->feed.get(), width, height, &LogFromSession, object);
  SessionLink().post({SessionEventKind::kTapAttached, state->tap, false});
  filter->pf_audio_filter = &DoWork;
  return VLC_SUCCESS;
}

}  // namespace

int OpenFilter(vlc_object_t* object) {
  if (object == nullptr) return VLC_EGENERIC;
  if (!SessionLink().engineInstalled()) {
    FilterLog(object, VLC_MSG_ERR, "Open", "Glimmora is not installed -- nothing to visualize with.");
    return VLC_EGENERIC;
  }
  auto* filter = reinterpret_cast<filter_t*>(object);
  try {
    return OpenInstalled(filter);
  } catch (const std::bad_alloc&) {
    // A feed or tap that could not be had: VLC goes on without the visualization.
    if (FilterState* state = StateOf(filter)) {
      delete state;
      filter->p_sys = nullptr;
    }
    return VLC_ENOMEM;
  }
}

void CloseFilter(vlc_object_t* object) {
  auto* filter = reinterpret_cast<filter_t*>(object);
  FilterState* state = filter != nullptr ? StateOf(filter) : nullptr;
  if (state == nullptr) return;
  if (state->audioOutput != nullptr) {
    VlcCore().varDelCallback(state->audioOutput, "audio-visual", &OnAudioVisual, object);
  }
  const bool deselected = state->deselected.load(std::memory_order_acquire);
  FilterLog(object, VLC_MSG_DBG, "CloseFilter", "session: close -> %s @%lld",
            deselected ? "end (deselected)" : "linger", ClockMs());
  if (Tap* tap = state->tap) {
    tap->MarkClosed();
    SessionLink().post({SessionEventKind::kTapDetached, tap, deselected});
    tap->Release();
  }
  delete state;
  filter->p_sys = nullptr;
}
