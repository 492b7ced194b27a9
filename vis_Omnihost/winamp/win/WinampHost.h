// WinampHost: the host of the Winamp visualization module, for Winamp and the players that load
// its visualization plug-ins (jetAudio and MediaMonkey are recognised and asked for more).
//
// The engine draws into a window of the host's own: a child of the skinned frame the player
// makes for it, or a free tool window when the player has no frames to give. The engine gets
// that window at its first paint. Frames come from the player's Render calls, and from the
// host's own timer once the player stops calling (WinampPacing). The host answers the engine's
// audio requests from the module's waveform and spectrum areas, tells it the playing track,
// hands it album art from the player, and passes on the visualization menu's commands.
//
// Everything runs on the player's visualization thread, which makes the module calls and owns
// the host's window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "utility/UtilStr.h"
#include "visualhost/host/VisualHost.h"
#include "vis_Omnihost/winamp/WinampPacing.h"
#include "vis_Omnihost/winamp/WinampRecords.h"
#include "vis_Omnihost/winamp/win/WinampServices.h"

namespace winamp {

// What host detection found out about the player.
struct PlayerKind {
  const char* descriptor;  // the host descriptor naming the player
  bool extended;           // answers the extended messages 9990-9995
  bool jetAudio;           // jetAudio (no album-art path message)
};

class WinampHost : public VisualHost {
 public:
  static constexpr UINT_PTR kTimerId = 21;
  // Units of the stream title copy, terminator included.
  static constexpr int32_t kStreamTitleUnits = 4096;

  WinampHost(VisModule* module, const PlayerKind& kind);

  // The player's Render: pacing, then a frame.
  void Render();

  void Dispose() override;
  void StartInstance() override;
  int32_t HandleGArt(ArtRecord* art) override;
  int32_t HandleRArt(ArtRecord* art) override;
  void Step() override;
  intptr_t HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                         bool* handled) override;
  int32_t HandleFSSt(bool flag, void* in, void* out) override;
  int32_t HandleGetS(AudioRequest* request) override;

  HWND OwnWindow() const { return mOwnWindow; }

 protected:
  ~WinampHost() override;

 private:
  // Sends the player window a command (WM_USER with the command in lParam).
  LRESULT SendPlayer(intptr_t command, WPARAM wParam = 0) const;

  // The own window.
  void CreateOwnWindow();
  void ReadStoredRectangle();
  void CloseOwnWindow();
  void StoreRectangle(const Rect& rect);
  void OnPaint();
  bool OnCommand(uint16_t command);
  void OnDestroy();
  void PassKeyToPlayer(uint32_t message, uintptr_t wParam, intptr_t lParam);
  void Pacing(bool fromTimer);

  // Track data.
  void Poll();
  void PublishTrack();

  VisModule* mModule;
  HWND mPlayer;
  PlayerKind mKind;
  HWND mOwnWindow = nullptr;
  EmbedState mFrameState = {};
  int32_t mPlaylistPosition = -1;
  int32_t mTrackLength = -1;
  std::unique_ptr<char16_t[]> mStreamTitle;
  bool mChangePending = false;
  int64_t mChangeTimeMs = 0;
  int64_t mAttachTimeMs = 0;
  bool mKeyHeld = false;
  WPARAM mHeldKeyWParam = 0;
  LPARAM mHeldKeyLParam = 0;
  WinampPacing mPacing;
  int32_t mFrameDelayMs = 0;
  PlayerServices mServices;
  std::u16string mArtPath;  // the album-art path handed to the engine
  bool mCounted = false;
};

}  // namespace winamp
