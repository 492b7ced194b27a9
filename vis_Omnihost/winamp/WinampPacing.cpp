#include "vis_Omnihost/winamp/WinampPacing.h"

#include <algorithm>

namespace winamp {

void WinampPacing::Reset() {
  *this = WinampPacing();
}

void WinampPacing::FromRender() {
  if (!mTicked) return;
  mTicked = false;
  mSelfDriven = false;
  mWanted = kPollIntervalMs;
}

bool WinampPacing::FromTimer(int64_t nowMs) {
  if (!mTicked) {
    mTicked = true;
    mFirstTickMs = nowMs;
    mSelfDriven = false;
    return false;
  }
  if (!mSelfDriven && nowMs - mFirstTickMs <= kTakeOverAfterMs) return false;
  mSelfDriven = true;
  return true;
}

bool WinampPacing::TakeIntervalChange(int32_t* intervalMs) {
  const int32_t interval = std::max(mWanted, 0);
  if (interval == mArmed) return false;
  mArmed = interval;
  *intervalMs = interval;
  return true;
}

}  // namespace winamp
