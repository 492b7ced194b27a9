// WmpVisualHost: the one visual host that every effect object of a player process shares.
//
// The engine draws into the window the player hands to the effect; frames come from the pump
// thread, which sends that window the pump message, which the player passes back through
// OnWindowMessage. The player's renderings only deliver audio levels. The host answers the
// engine's audio requests from the latest delivery, asks the player to toggle its fullscreen
// for 'FSHt', tells the engine which margins the player's bars cover ('Nset'), and keeps the
// playing track's record and cover for 'Trck' and 'CArt'.
#pragma once

#include "NV_WMP/EffectAudio.h"
#include "NV_WMP/TimedLevel.h"
#include "utility/UtilStr.h"
#include "visualhost/host/VisualHost.h"

struct IWMPMedia;

namespace wmp {

class WmpVisualHost : public VisualHost {
 public:
  explicit WmpVisualHost(bool inMediaCenter);

  // Starts the instance as the base does, then hands the engine the current track and cover.
  void StartInstance() override;
  // Starts the engine at the first window, clears the audio, attaches, sends the insets and
  // starts the pump thread.
  int32_t AttachWindow(HostWindow window, uint32_t flags, void* extra) override;
  // Asks the player's main window to toggle its fullscreen with Alt+Enter.
  int32_t HandleFSHt(bool flag, void* in, void* out) override;
  int32_t HandleGetS(AudioRequest* request) override;

  // Audio of a playing player's rendering.
  void TakeLevels(const TimedLevel& levels);
  // Silence; the pump asks for frames again.
  void ClearAudio();
  // Computes the covered margins of the attached window and sends them ('Nset'); nothing when
  // the window's rectangle or root cannot be had.
  void SendInsets();
  // Reads the track record and cover from the media (null: none) and, with an instance, sends
  // them ('Trck', then 'CArt').
  void UpdateMetadata(IWMPMedia* media);

  bool InMediaCenter() const { return mInMediaCenter; }
  int32_t CurrentPreset() const { return 0; }
  const TrackRecord& Track() const { return mTrack; }
  const ArtRecord& Art() const { return mArt; }
  const EffectAudio& Audio() const { return mAudio; }

 protected:
  ~WmpVisualHost() override = default;

 private:
  void SendTrackAndArt();
  void SetArt(const UtilStr& path);
  void ClearArt();
  void ReadEmbeddedPicture(IWMPMedia* media);
  void SearchCoverFiles(IWMPMedia* media);
  void ReadTexts(IWMPMedia* media);

  const bool mInMediaCenter;
  EffectAudio mAudio;
  TrackRecord mTrack;
  UtilStr mArtPath;
  ArtRecord mArt;
};

}  // namespace wmp
