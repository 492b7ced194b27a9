// The parts of VLC 3.0's records this module reads or writes, at the offsets VLC's own Windows
// builds (MinGW, like ours) give them, checked for the 64-bit and the 32-bit module. A header
// or packing that disagreed would have the module read a filter's rate from the wrong place
// or hand VLC a filter function where it keeps something else; this fails the build instead.
#include <cstddef>

#include "NV_VLC/VlcHeaders.h"

namespace {

struct Layout {
  size_t object, objectType, objectParent;
  size_t filter, filterSys, filterIn, filterOut, filterAudioFunction;
  size_t esAudio;
  size_t audio, audioFormat, audioRate, audioChannels;
  size_t block, blockBuffer, blockSamples, blockPts;
  size_t item, itemName, itemMeta, itemLock;
  size_t value;
};

#if defined(_WIN64)
constexpr Layout kVlc = {40, 0, 32,         672, 48, 56, 320, 608, 56, 36, 0, 4, 8,
                         80, 8, 44, 48,     408, 0,  104, 344, 8};
#else
constexpr Layout kVlc = {24, 0, 20,         540, 28, 32, 264, 508, 40, 36, 0, 4, 8,
                         64, 4, 24, 32,     264, 0,  60,  220, 8};
#endif

static_assert(sizeof(vlc_object_t) == kVlc.object);
static_assert(offsetof(vlc_object_t, obj.object_type) == kVlc.objectType);
static_assert(offsetof(vlc_object_t, obj.parent) == kVlc.objectParent);

static_assert(sizeof(filter_t) == kVlc.filter);
static_assert(offsetof(filter_t, p_sys) == kVlc.filterSys);
static_assert(offsetof(filter_t, fmt_in) == kVlc.filterIn);
static_assert(offsetof(filter_t, fmt_out) == kVlc.filterOut);
static_assert(offsetof(filter_t, pf_audio_filter) == kVlc.filterAudioFunction);
static_assert(offsetof(es_format_t, audio) == kVlc.esAudio);

static_assert(sizeof(audio_format_t) == kVlc.audio);
static_assert(offsetof(audio_format_t, i_format) == kVlc.audioFormat);
static_assert(offsetof(audio_format_t, i_rate) == kVlc.audioRate);
static_assert(offsetof(audio_format_t, i_physical_channels) == kVlc.audioChannels);

static_assert(sizeof(block_t) == kVlc.block);
static_assert(offsetof(block_t, p_buffer) == kVlc.blockBuffer);
static_assert(offsetof(block_t, i_nb_samples) == kVlc.blockSamples);
static_assert(offsetof(block_t, i_pts) == kVlc.blockPts);

static_assert(sizeof(input_item_t) == kVlc.item);
static_assert(offsetof(input_item_t, psz_name) == kVlc.itemName);
static_assert(offsetof(input_item_t, p_meta) == kVlc.itemMeta);
static_assert(offsetof(input_item_t, lock) == kVlc.itemLock);

// Variable callbacks get values by copy: the union must be the size VLC passes.
static_assert(sizeof(vlc_value_t) == kVlc.value);

}  // namespace
