// Tap: what attaches one open filter to the session.
//
// Made by Open with two references, one for the filter and one for the session thread's
// TapAttached message; whichever side drops the last one destroys it. The filter side marks
// it closed when the filter goes, and from then on the session thread's log lines no longer
// reach that filter (its object is gone); the sink and filter are guarded by the tap's lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "NV_VLC/AudioFeed.h"
#include "NV_VLC/CountedRef.h"
#include "NV_VLC/VlcHeaders.h"

class Tap {
 public:
  // Writes one session line to the filter's VLC log.
  using LogSink = void (*)(vlc_object_t* filter, bool error, const char* text);

  // Takes its own reference to the feed; sizes below 1 become 1280 × 720.
  Tap(AudioFeed* feed, int64_t width, int64_t height, LogSink sink, vlc_object_t* filter);
  Tap(const Tap&) = delete;
  Tap& operator=(const Tap&) = delete;

  AudioFeed* Feed() const { return mFeed.get(); }
  int32_t Width() const { return mWidth; }
  int32_t Height() const { return mHeight; }

  // The filter closes: no more log lines to it.
  void MarkClosed();
  bool IsClosed() const { return mClosed.load(std::memory_order_acquire) != 0; }

  // The session thread's line, through the sink while the filter is open; false otherwise.
  bool TryLog(bool error, const char* text);

  void AddRef() { mReferences.fetch_add(1, std::memory_order_relaxed); }
  void Release();

  // Taps alive in the process, for tests that check nothing is left behind.
  static int32_t LiveCount();

 private:
  ~Tap();

  CountedRef<AudioFeed> mFeed;
  int32_t mWidth;
  int32_t mHeight;
  std::mutex mLock;
  LogSink mSink;
  vlc_object_t* mFilter;
  std::atomic<int32_t> mClosed{0};
  std::atomic<int32_t> mReferences{2};
};
