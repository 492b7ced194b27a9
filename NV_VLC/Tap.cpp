#include "NV_VLC/Tap.h"

#include "NV_VLC/ModuleOptions.h"

namespace {

std::atomic<int32_t> gLiveTaps{0};

int32_t SizeOrDefault(int64_t value, int64_t fallback) {
  return static_cast<int32_t>(value >= 1 && value <= INT32_MAX ? value : fallback);
}

}  // namespace

Tap::Tap(AudioFeed* feed, int64_t width, int64_t height, LogSink sink, vlc_object_t* filter)
    : mFeed(CountedRef<AudioFeed>::Share(feed)),
      mWidth(SizeOrDefault(width, ModuleOptions::kDefaultWidth)),
      mHeight(SizeOrDefault(height, ModuleOptions::kDefaultHeight)),
      mSink(sink),
      mFilter(filter) {
  gLiveTaps.fetch_add(1, std::memory_order_relaxed);
}

Tap::~Tap() { gLiveTaps.fetch_sub(1, std::memory_order_relaxed); }

void Tap::MarkClosed() {
  {
    std::lock_guard<std::mutex> hold(mLock);
    mSink = nullptr;
    mFilter = nullptr;
  }
  mClosed.fetch_add(1, std::memory_order_acq_rel);
}

bool Tap::TryLog(bool error, const char* text) {
  std::lock_guard<std::mutex> hold(mLock);
  if (mSink == nullptr) return false;
  mSink(mFilter, error, text);
  return true;
}

void Tap::Release() {
  if (mReferences.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

int32_t Tap::LiveCount() { return gLiveTaps.load(std::memory_order_relaxed); }
