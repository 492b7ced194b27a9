// TrackMetaHolder: the track texts one feed last saw, and which of them the session has not
// yet passed to the engine.
//
// VLC's audio thread updates it from its metadata poll; the session thread takes the pending
// changes when the feed is active. The texts are shared strings, so the session thread gets
// them as counted copies under the lock and formats them outside it. The first update always
// reports every change, so a feed's first publishing sends both the track and the cover.
#pragma once

#include <cstdint>
#include <mutex>

#include "utility/UtilStr.h"

class TrackMetaHolder {
 public:
  static constexpr uint32_t kTextsChanged = 1;  // title, artist or album
  static constexpr uint32_t kArtChanged = 2;

  struct Texts {
    UtilStr title;
    UtilStr artist;
    UtilStr album;
    UtilStr art;
  };

  // Stores what differs (null counts as empty) and returns the change bits; they also add to
  // the pending bits. Allocates only for a text that changed.
  uint32_t Update(const char* title, const char* artist, const char* album, const char* art);

  // Takes the pending bits, leaving none; when there were any, `texts` gets the current texts.
  uint32_t TakePending(Texts* texts);

 private:
  std::mutex mLock;
  Texts mTexts;
  uint32_t mPending = 0;
  bool mPublishedOnce = false;
};
