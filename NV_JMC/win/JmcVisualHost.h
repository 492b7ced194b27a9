// JmcVisualHost: the host of the media center's display control.
//
// The engine draws into the control's window, paced by the render timer on the media center's
// window thread. Audio, track changes and the album-art file come from the media center's
// visualization data object, which the host obtains through the media center's automation and
// owns (it is destroyed through its own operation). Without a media center the engine still
// runs, without audio or track data.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "NV_JMC/MediaCenterObjects.h"
#include "visualhost/host/VisualHost.h"

namespace jmc {

// 'GArt' without an album-art file.
constexpr int32_t kNoArtFile = 55027;
// The redraw rate when the engine has no usable "Graphics.TargetFrameRate".
constexpr float kDefaultFrameRate = 40.0f;
constexpr char kFrameRatePreference[] = "Graphics.TargetFrameRate";

// How the host reaches the media center; replaced in tests.
struct MediaCenterAccess {
  IDispatch* (*connect)();
  uintptr_t (*object)(IDispatch* automation, const wchar_t* name, const wchar_t* argument);
};
const MediaCenterAccess& SystemMediaCenterAccess();

class JmcVisualHost : public VisualHost {
 public:
  // Sets the descriptor and attaches the engine library: the given one (the host takes its
  // own reference), or, with null, a library of the product's own.
  explicit JmcVisualHost(EngineLibrary* library = nullptr,
                         const MediaCenterAccess& access = SystemMediaCenterAccess());

  // Destroys the data object held, connects to the media center when not yet connected, and
  // takes a new data object from it.
  void ConnectMediaCenter();
  // Gives the engine the window (1024 in the flags when fullscreen), starts or stops the
  // frames, and tells the media center's redraw helper about the control's window and rate.
  void Attach(HWND window, bool fullscreen, HWND controlWindow);
  // The rate from the engine's preference, or the default.
  float FrameRate();

  void Dispose() override;
  int32_t HandleGArt(ArtRecord* art) override;
  int32_t HandleRArt(ArtRecord* art) override;
  int32_t HandleGetS(AudioRequest* request) override;

  const VisData* DataObject() const { return mData; }
  IDispatch* Automation() const { return mAutomation; }

 protected:
  ~JmcVisualHost() override;

 private:
  void DestroyDataObject();
  void SendTrackChange();

  MediaCenterAccess mAccess;
  VisData* mData = nullptr;
  IDispatch* mAutomation = nullptr;
};

}  // namespace jmc
