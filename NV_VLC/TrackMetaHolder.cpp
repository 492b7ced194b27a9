#include "NV_VLC/TrackMetaHolder.h"

#include <cstring>

namespace {

// Replaces stored with text when their bytes differ; whether it did.
bool StoreIfChanged(UtilStr& stored, const char* text) {
  const char* value = text != nullptr ? text : "";
  const size_t length = std::strlen(value);
  if (length == static_cast<size_t>(stored.Length()) &&
      std::memcmp(stored.Text(), value, length) == 0) {
    return false;
  }
  stored.Assign(value);
  return true;
}

}  // namespace

uint32_t TrackMetaHolder::Update(const char* title, const char* artist, const char* album,
                                 const char* art) {
  std::lock_guard<std::mutex> hold(mLock);
  uint32_t changes = 0;
  // Each in turn, so that every changed text is stored.
  if (StoreIfChanged(mTexts.title, title)) changes |= kTextsChanged;
  if (StoreIfChanged(mTexts.artist, artist)) changes |= kTextsChanged;
  if (StoreIfChanged(mTexts.album, album)) changes |= kTextsChanged;
  if (StoreIfChanged(mTexts.art, art)) changes |= kArtChanged;
  if (!mPublishedOnce) {
    mPublishedOnce = true;
    changes = kTextsChanged | kArtChanged;
  }
  mPending |= changes;
  return changes;
}

uint32_t TrackMetaHolder::TakePending(Texts* texts) {
  std::lock_guard<std::mutex> hold(mLock);
  const uint32_t pending = mPending;
  mPending = 0;
  if (pending != 0 && texts != nullptr) *texts = mTexts;
  return pending;
}
