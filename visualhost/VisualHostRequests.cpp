// Engine requests arriving at a host and the base class's answers.
#include "visualhost/VisualHost.h"

int32_t VisualHost::HandleFSHt(bool, void*, void*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::HandleGArt(ArtRecord*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::HandleRArt(ArtRecord*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::HandleFSSt(bool, void*, void*) {
  return NVStatus::kOk;
}

int32_t VisualHost::HandleFSEd(bool, void*, void*) {
  return NVStatus::kOk;
}

int32_t VisualHost::HandleGetS(AudioRequest*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::OnEngineRequest(uint32_t code, void* in, void* out) {
  const bool flag = in != nullptr;
  switch (code) {
    case EngineRequest::kFullscreenStarted:
      HandleFSSt(flag, in, out);
      return NVStatus::kNotHandled;
    case EngineRequest::kFullscreenEnded:
      HandleFSEd(flag, in, out);
      return NVStatus::kNotHandled;
    case EngineRequest::kFullscreenHost:
      return HandleFSHt(flag, in, out);
    case EngineRequest::kGetArt:
      return HandleGArt(static_cast<ArtRecord*>(in));
    case EngineRequest::kReleaseArt:
      return HandleRArt(static_cast<ArtRecord*>(in));
    case EngineRequest::kGetSamples:
      return HandleGetS(static_cast<AudioRequest*>(in));
    default:
      return NVStatus::kNotHandled;
  }
}

bool VisualHost::IsFullscreen() {
  if (mInstance == 0 || mTable == nullptr || mTable->Request == nullptr) return false;
  return mTable->Request(mInstance, HostRequest::kIsFullscreen, nullptr, nullptr) != 0;
}

int32_t VisualHost::RequestList(uint32_t, XPtrList*) {
  // No line lists are asked of the engine by the base class.
  return NVStatus::kNotHandled;
}
