// The stand-in media center's visualization objects, laid out as the media center's
// (NV_JMC/MediaCenterObjects.h): the data object with a sample block of known content, the
// track texts, the change query and the album-art file, and the redraw helper that records the
// window and rate it is given. Every call is journaled through the sink, so a test sees what
// the control asked, in order, and that each object was destroyed exactly once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "NV_JMC/MediaCenterObjects.h"
#include "players/jriver/KnownSampleBlock.h"
#include "refengine/JournalLine.h"

namespace jriver_standin {

using JournalSink = void (*)(refengine::JournalLine line);

// How the data object answers.
struct VisContent {
  bool nullSamples = false;
  // Texts: the normal ones, none at all (null), or 300 units with no terminator within 255.
  enum class Texts { kNormal, kNull, kEndless } texts = Texts::kNormal;
  std::u16string artFile;  // empty: no album-art file (an empty text)
};

// The track texts of the normal content.
constexpr char16_t kTitle[] = u"Night Drive";
constexpr char16_t kArtist[] = u"The Stand-ins";
constexpr char16_t kAlbum[] = u"Known Content";
constexpr char16_t kYear[] = u"2004";
constexpr size_t kEndlessUnits = 300;

struct StandInVisData {
  jmc::VisData face;  // first: its address is the object's
  JournalSink sink;
  VisContent content;
  std::vector<uint8_t> block;
  std::vector<char16_t> endless;
  int32_t pendingChanges = 0;  // track changes not yet asked for
  int32_t* destroyedCount;     // counted by the player, which outlives the object
};

struct StandInRedrawHelper {
  jmc::RedrawHelper face;
  JournalSink sink;
  int32_t* destroyedCount;
};

// New objects; they delete themselves when the control destroys them.
StandInVisData* NewVisData(const VisContent& content, int32_t pendingChanges, JournalSink sink,
                           int32_t* destroyedCount);
StandInRedrawHelper* NewRedrawHelper(JournalSink sink, int32_t* destroyedCount);

}  // namespace jriver_standin
