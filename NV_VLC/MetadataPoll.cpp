#include "NV_VLC/MetadataPoll.h"

#include <cstring>

#include "NV_VLC/ObjectTree.h"
#include "NV_VLC/VlcCore.h"
#include "NV_VLC/VlcLog.h"

namespace {

constexpr mtime_t kFastPollUs = 500000;
constexpr mtime_t kSlowPollUs = 2000000;
constexpr mtime_t kFastPeriodUs = 15000000;

// What the item says, in fixed buffers on the audio thread's stack.
struct MetaSnapshot {
  char title[256] = "";
  char artist[256] = "";
  char album[256] = "";
  char art[2048] = "";
  bool artFits = true;
};

// Copies text when it fits with its terminator; a text that does not is dropped, not cut.
template <size_t N>
bool CopyIfFits(char (&field)[N], const char* text) {
  field[0] = '\0';
  if (text == nullptr) return true;
  const size_t length = std::strlen(text);
  if (length >= N) return false;
  std::memcpy(field, text, length + 1);
  return true;
}

void ReadMeta(const vlc_meta_t* meta, MetaSnapshot& snapshot) {
  const VlcCoreCalls& core = VlcCore();
  for (vlc_meta_type_t type : {vlc_meta_NowPlaying, vlc_meta_ESNowPlaying, vlc_meta_Title}) {
    CopyIfFits(snapshot.title, core.metaGet(meta, type));
    if (snapshot.title[0] != '\0') break;
  }
  CopyIfFits(snapshot.artist, core.metaGet(meta, vlc_meta_Artist));
  CopyIfFits(snapshot.album, core.metaGet(meta, vlc_meta_Album));
  snapshot.artFits = CopyIfFits(snapshot.art, core.metaGet(meta, vlc_meta_ArtworkURL));
}

// Under the item's own lock, held only while the texts are copied.
void ReadItem(input_item_t* item, MetaSnapshot& snapshot) {
  const VlcCoreCalls& core = VlcCore();
  core.mutexLock(&item->lock);
  if (item->p_meta != nullptr) ReadMeta(item->p_meta, snapshot);
  if (snapshot.title[0] == '\0') CopyIfFits(snapshot.title, item->psz_name);
  core.mutexUnlock(&item->lock);
}

// The playlist's current item, or null. The input is released at once: the item is only
// compared by identity afterwards and read while the input still holds it.
input_item_t* CurrentItem(vlc_object_t* filter, MetaSnapshot& snapshot) {
  playlist_t* playlist = FindPlaylist(filter);
  if (playlist == nullptr) return nullptr;
  const VlcCoreCalls& core = VlcCore();
  input_thread_t* input = core.playlistCurrentInput(playlist);
  if (input == nullptr) return nullptr;
  input_item_t* item = core.inputGetItem(input);
  if (item != nullptr) ReadItem(item, snapshot);
  core.objectRelease(VLC_OBJECT(input));
  return item;
}

}  // namespace

void PollTrackMeta(vlc_object_t* filter, mtime_t now, MetaPollState& state,
                   TrackMetaHolder& holder) {
  if (now < state.nextPoll) return;
  state.nextPoll = now + (now < state.fastPollUntil ? kFastPollUs : kSlowPollUs);

  MetaSnapshot snapshot;
  const input_item_t* item = CurrentItem(filter, snapshot);
  if (item == nullptr) return;

  // Only a local file can be shown as a cover.
  const bool usable = snapshot.artFits && std::strncmp(snapshot.art, "file://", 7) == 0;
  const char* art = usable ? snapshot.art : "";
  const uint32_t changes = holder.Update(snapshot.title, snapshot.artist, snapshot.album, art);
  if (changes == 0 && item == state.lastItem) return;

  FilterLog(filter, VLC_MSG_DBG, "PublishItemMeta",
            "track: title='%s' artist='%s' album='%s' art='%s'%s", snapshot.title,
            snapshot.artist, snapshot.album, snapshot.art, usable ? "" : "  [unusable]");
  state.lastItem = item;
  state.fastPollUntil = now + kFastPeriodUs;
  state.nextPoll = now + kFastPollUs;
}
