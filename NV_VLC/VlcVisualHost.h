// VlcVisualHost: the host of the running session's engine instance.
//
// It feeds the engine from one feed at a time, the active feed; the feeds of other attached
// filters wait in order and take over at the start of a frame when the active feed's filter
// has gone (detached) or it gave nothing at the last audio request (dry), provided the waiting
// feed has data. Before each frame it also passes the active feed's track changes to the
// engine. Runs on the session thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "NV_VLC/AudioFeed.h"
#include "NV_VLC/CountedRef.h"
#include "NV_VLC/TrackMetaHolder.h"
#include "utility/UtilStr.h"
#include "visualhost/host/VisualHost.h"

class VlcVisualHost : public VisualHost {
 public:
  // Where the host's own lines go (the session manager's log while the session runs).
  using LogSink = void (*)(void* context, const char* text);

  VlcVisualHost();

  void SetLogSink(LogSink sink, void* context);

  // Takes a reference: the first feed becomes active, later ones wait behind it.
  void AddFeed(AudioFeed* feed);
  AudioFeed* ActiveFeed() const { return mActive.get(); }
  size_t WaitingCount() const { return mWaiting.size(); }
  // The active feed's filter has left the session.
  void MarkActiveDetached() { mDetached = true; }
  bool IsActiveDry() const { return mDry; }
  // Drops a waiting feed; whether it was waiting.
  bool RemoveWaitingFeed(AudioFeed* feed);
  const UtilStr& Art() const { return mArt; }

  void Dispose() override;
  int32_t HandleGArt(ArtRecord* art) override;
  void Step() override;
  int32_t HandleGetS(AudioRequest* request) override;

  // The start of a frame: feed switching, then track publishing. Step runs both before the
  // base's frame; kept apart so that they can be run without an engine frame.
  void SwitchFeeds();
  void PublishTrack();

 protected:
  ~VlcVisualHost() override = default;

 private:
  void LogLine(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  void SendCoverArt();

  CountedRef<AudioFeed> mActive;
  bool mDetached = false;
  bool mDry = false;
  std::vector<CountedRef<AudioFeed>> mWaiting;
  LogSink mLogSink = nullptr;
  void* mLogContext = nullptr;
  UtilStr mArt;
};
