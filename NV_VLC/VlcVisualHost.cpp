#include "NV_VLC/VlcVisualHost.h"

#include <cstdarg>
#include <cstdio>

#include "visualhost/host/HostDescriptors.h"

namespace {

constexpr size_t kHostLineBytes = 256;
// 'GArt' without a record to fill: the code the engine contract uses for a missing argument.
constexpr int32_t kNoArtRecord = 55011;

// The read that keeps a waiting feed on the engine's clock: no samples, no bands.
void ReadEmpty(AudioFeed& feed, const AudioRequest& engineRequest) {
  float scratch[8] = {};
  AudioRequest empty{};
  empty.size = sizeof(AudioRequest);
  empty.samples = scratch;
  empty.timeField = engineRequest.timeField;
  empty.requestTimeMs = engineRequest.requestTimeMs;
  feed.Read(empty);
}

}  // namespace

VlcVisualHost::VlcVisualHost() {
  SetDescriptor(HostDescriptor::kVlc);
  // The user may resize the session's window.
  mTrackClientSize = true;
}

void VlcVisualHost::SetLogSink(LogSink sink, void* context) {
  mLogSink = sink;
  mLogContext = context;
}

void VlcVisualHost::LogLine(const char* format, ...) {
  if (mLogSink == nullptr) return;
  char line[kHostLineBytes];
  va_list args;
  va_start(args, format);
  vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  mLogSink(mLogContext, line);
}

void VlcVisualHost::AddFeed(AudioFeed* feed) {
  if (feed == nullptr) return;
  if (!mActive) {
    mActive = CountedRef<AudioFeed>::Share(feed);
    mDetached = false;
    mDry = false;
    LogLine("feed: tap #%d active", feed->Number());
    return;
  }
  mWaiting.push_back(CountedRef<AudioFeed>::Share(feed));
  LogLine("feed: tap #%d waiting behind #%d", feed->Number(), mActive->Number());
}

bool VlcVisualHost::RemoveWaitingFeed(AudioFeed* feed) {
  for (auto it = mWaiting.begin(); it != mWaiting.end(); ++it) {
    if (it->get() == feed) {
      mWaiting.erase(it);
      return true;
    }
  }
  return false;
}

void VlcVisualHost::Dispose() {
  AttachEngine(nullptr);
  mActive.Reset();
  mWaiting.clear();
  VisualHost::Dispose();
}

void VlcVisualHost::SwitchFeeds() {
  if (mWaiting.empty() || !mWaiting.front()->HasData()) return;
  if (mActive && !mDetached && !mDry) return;
  const char* reason = !mActive ? "none active" : (mDetached ? "detached" : "dry");
  LogLine("feed: tap #%d -> #%d (%s)", mActive ? mActive->Number() : 0,
          mWaiting.front()->Number(), reason);
  mActive = std::move(mWaiting.front());
  mWaiting.erase(mWaiting.begin());
  mDetached = false;
  mDry = false;
}

void VlcVisualHost::SendCoverArt() {
  ArtRecord record{};
  if (!mArt.IsEmpty()) {
    record.kind = ArtKind::kUtf8Path;
    record.payload.utf8Path = mArt.Text();
  }
  mTable->Request(mInstance, HostRequest::kCoverArt, &record, nullptr);
}

void VlcVisualHost::PublishTrack() {
  if (!mActive || mInstance == 0 || !CanRequest()) return;
  TrackMetaHolder::Texts texts;
  const uint32_t pending = mActive->Meta().TakePending(&texts);
  if (pending == 0) return;
  if ((pending & TrackMetaHolder::kArtChanged) != 0) mArt = texts.art;
  if ((pending & TrackMetaHolder::kTextsChanged) != 0) {
    SendTrackInfo(texts.title, texts.artist, texts.album, 0);
  }
  SendCoverArt();
}

void VlcVisualHost::Step() {
  SwitchFeeds();
  PublishTrack();
  VisualHost::Step();
}

int32_t VlcVisualHost::HandleGetS(AudioRequest* request) {
  if (request == nullptr) return NVStatus::kNotHandled;
  for (CountedRef<AudioFeed>& waiting : mWaiting) ReadEmpty(*waiting, *request);
  if (!mActive) return NVStatus::kNotHandled;
  mActive->Read(*request);
  if (request->bandsWanted > 0) {
    mDry = request->bandsDelivered == 0;
  } else {
    mDry = request->samplesWanted > 0 && request->samplesDelivered == 0;
  }
  return NVStatus::kOk;
}

int32_t VlcVisualHost::HandleGArt(ArtRecord* art) {
  if (art == nullptr) return kNoArtRecord;
  if (mArt.IsEmpty()) return NVStatus::kNoAlbumArt;
  art->kind = ArtKind::kUtf8Path;
  art->payload.utf8Path = mArt.Text();
  return NVStatus::kOk;
}
