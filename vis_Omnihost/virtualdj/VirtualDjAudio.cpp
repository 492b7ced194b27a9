#include "vis_Omnihost/virtualdj/VirtualDjAudio.h"

#include <algorithm>

#include "visualhost/audio/SampleBlock.h"

namespace virtualdj {

int32_t VirtualDjAudio::Fill(AudioRequest* request) {
  if (request == nullptr) return NVStatus::kNotHandled;
  const int32_t held = mHistory.CopyAll(mHeld);
  SampleBlock block = SampleBlock::BorrowFloat(mHeld, held, kAnalysisRate, 1.0f);
  request->samplesDelivered = 0;
  if (request->samples != nullptr && request->samplesWanted > 0) {
    request->samplesDelivered = block.CopyNewest(request->samplesWanted, request->samples, 1.0f);
  }
  const int32_t bands = request->bands != nullptr ? std::max(request->bandsWanted, 0) : 0;
  if (bands > 0) mAnalyzer.Compute(block, kSpectrumParams, bands, request->bands);
  request->bandsDelivered = bands;
  return NVStatus::kOk;
}

}  // namespace virtualdj
