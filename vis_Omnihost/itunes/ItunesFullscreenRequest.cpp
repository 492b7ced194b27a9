#include "vis_Omnihost/itunes/ItunesFullscreenRequest.h"

namespace itunes {

bool FullscreenRequest::Settle(bool detected, int64_t nowMs) {
  bool state = detected;
  if (mRequestMs != 0 && detected != mRequested) {
    const int64_t age = nowMs >= mRequestMs ? nowMs - mRequestMs : mRequestMs - nowMs;
    if (age < kMemoryMs) state = mRequested;
  }
  mRequested = state;
  mRequestMs = 0;
  return state;
}

}  // namespace itunes
