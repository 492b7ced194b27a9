#include "NV_JMC/win/JmcVisualHost.h"

#include <cmath>

#include "NV_JMC/JmcIdentity.h"
#include "NV_JMC/MediaCenterAudio.h"
#include "NV_JMC/win/MediaCenterLink.h"
#include "utility/TextFunctions.h"
#include "utility/TextRules.h"
#include "utility/Variant.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/host/HostDescriptors.h"

namespace jmc {
namespace {

using text_rules::BoundedLength;

// An album-art path is a file path: longer ones count as missing.
constexpr int32_t kMostPathUnits = 32767;
constexpr uint32_t kFullscreenTargetFlag = 1024;

const char16_t* TextOf(VisData* data, int32_t index) {
  return data->table->text != nullptr ? data->table->text(data, index) : nullptr;
}

}  // namespace

const MediaCenterAccess& SystemMediaCenterAccess() {
  static const MediaCenterAccess access = {&ConnectToMediaCenter, &MediaCenterObject};
  return access;
}

JmcVisualHost::JmcVisualHost(EngineLibrary* library, const MediaCenterAccess& access)
    : mAccess(access) {
  SetDescriptor(HostDescriptor::kJRiverMediaCenter);
  if (library != nullptr) {
    AttachEngine(library);
    return;
  }
  auto* own = new EngineLibrary();
  own->SetName(UtilStr(kProductName));
  AttachEngine(own);
  own->Release();  // the host holds its own reference
}

JmcVisualHost::~JmcVisualHost() {
  if (mAutomation != nullptr) mAutomation->lpVtbl->Release(mAutomation);
}

void JmcVisualHost::Dispose() {
  DestroyDataObject();
  VisualHost::Dispose();
}

void JmcVisualHost::DestroyDataObject() {
  VisData* data = mData;
  mData = nullptr;
  if (data != nullptr && data->table->destroy != nullptr) data->table->destroy(data, kDestroyFlags);
}

void JmcVisualHost::ConnectMediaCenter() {
  DestroyDataObject();
  if (mAutomation == nullptr) mAutomation = mAccess.connect();
  if (mAutomation == nullptr) return;
  mData = reinterpret_cast<VisData*>(mAccess.object(mAutomation, kVisDataName, kVisDataArgument));
}

float JmcVisualHost::FrameRate() {
  Variant value;
  if (!GetPreference(kFrameRatePreference, &value)) return kDefaultFrameRate;
  double rate = kDefaultFrameRate;
  switch (value.type) {
    case VariantType::kInteger:
      rate = double(value.integer);
      break;
    case VariantType::kFloat:
      rate = value.real;
      break;
    case VariantType::kText:
      rate = ParseFloat(value.text.Text(), value.text.Length());
      break;
    default:
      break;
  }
  // The media center paces its redraws by this rate: a rate it cannot use keeps the default.
  if (!std::isfinite(rate) || rate <= 0 || rate > 1000) return kDefaultFrameRate;
  return float(rate);
}

void JmcVisualHost::Attach(HWND window, bool fullscreen, HWND controlWindow) {
  AttachWindow(window, fullscreen ? kFullscreenTargetFlag : 0, nullptr);
  Schedule(window != nullptr);
  const float rate = FrameRate();
  if (controlWindow == nullptr || mAutomation == nullptr) return;
  auto* helper = reinterpret_cast<RedrawHelper*>(
      mAccess.object(mAutomation, kRedrawHelperName, kRedrawHelperArgument));
  if (helper == nullptr) return;
  if (helper->table->setWindow != nullptr) helper->table->setWindow(helper, controlWindow, 0, rate);
  if (helper->table->destroy != nullptr) helper->table->destroy(helper, kDestroyFlags);
}

void JmcVisualHost::SendTrackChange() {
  TrackTexts texts;
  texts.title = TextOf(mData, VisText::kTitle);
  texts.artist = TextOf(mData, VisText::kArtist);
  texts.album = TextOf(mData, VisText::kAlbum);
  texts.year = TextOf(mData, VisText::kYear);
  TrackRecord record;
  BuildTrackRecord(texts, &record);
  if (CanRequest()) mTable->Request(mInstance, HostRequest::kTrack, &record, nullptr);
}

int32_t JmcVisualHost::HandleGetS(AudioRequest* request) {
  if (mData == nullptr || request == nullptr) return 0;
  if (mData->table->changed != nullptr && mData->table->changed(mData, kTrackChangeQuery) != 0)
    SendTrackChange();
  if (mData->table->refresh != nullptr) mData->table->refresh(mData);
  const uint8_t* block =
      mData->table->sampleBlock != nullptr ? mData->table->sampleBlock(mData) : nullptr;
  if (block == nullptr) return 0;
  FillAudio(block, request);
  return 0;
}

int32_t JmcVisualHost::HandleGArt(ArtRecord* art) {
  if (mData == nullptr || art == nullptr) return kNoArtFile;
  const char16_t* path = TextOf(mData, VisText::kAlbumArtFile);
  const int32_t units = BoundedLength(path, kMostPathUnits + 1);
  if (units == 0 || units > kMostPathUnits) return kNoArtFile;
  art->kind = ArtKind::kCountedWidePath;
  art->payload.countedWidePath.length = uint32_t(units);
  art->payload.countedWidePath.path = path;
  return 0;
}

int32_t JmcVisualHost::HandleRArt(ArtRecord* art) {
  // This host only ever hands out the media center's file path, which stays the data object's.
  // Image bytes coming back were never allocated here, so they are let go of, not freed.
  if (art != nullptr && art->kind == ArtKind::kImageBytes) {
    art->payload.image.bytes = nullptr;
    art->payload.image.byteCount = 0;
  }
  return 0;
}

}  // namespace jmc
