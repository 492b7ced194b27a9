// ItunesVisualHost: the host of iTunes' visual plug-in.
//
// The engine draws into the view window iTunes hands over with 'Vact', which the host
// subclasses to see its input and its end; frames come from iTunes' draw messages, and each
// draw sleeps for the rest of the engine's frame period so that iTunes' draw rate follows the
// engine's. Audio comes with iTunes' pulses, the playing item with its track and stream
// records, the cover with its cover-art message. One host exists per process; iTunes calls
// everything, the window procedure included, on its main thread.
#pragma once

#include <windows.h>

#include "vis_Omnihost/itunes/ItunesFullscreenRequest.h"
#include "vis_Omnihost/itunes/ItunesPulseAudio.h"
#include "vis_Omnihost/itunes/ItunesRecords.h"
#include "visualhost/host/VisualHost.h"

namespace itunes {

class ItunesVisualHost : public VisualHost {
 public:
  // Sets the iTunes descriptor and becomes the process's host.
  ItunesVisualHost();

  // The process's host; null when there is none.
  static ItunesVisualHost* Current();

  // Where messages to iTunes go.
  void KeepApplication(void* cookie, ApplicationCallback callback);
  bool HasEngineLibrary() const { return mEngineLibrary != nullptr; }

  // Attaches the engine to the view window (null: detaches), fullscreen or not.
  void Show(HWND window, bool fullscreen);
  // Attaches again to the window already attached, if any.
  void ShowAgain(bool fullscreen);
  bool HasWindow() const { return mAttachedWindow.load() != nullptr; }

  void TakePulse(const RenderData* data) { mAudio.Convert(data); }
  void ClearAudio() { mAudio.Clear(); }
  // Takes the records given (both null: keeps the stored ones), tells the engine and asks
  // iTunes for the cover.
  void UpdateTrack(const TrackInfo* track, const StreamInfo* stream);
  // Hands the engine the cover's bytes, which stay iTunes'; none takes the cover away.
  void SendCoverArt(const void* bytes, uint32_t byteCount);
  // Stops the instance when nothing is attached and the engine has been idle long enough.
  void IdleCheck();

  void Dispose() override;
  void Step() override;
  int32_t AttachWindow(HostWindow window, uint32_t flags, void* extra) override;
  int32_t HandleFSHt(bool flag, void* in, void* out) override;
  int32_t HandleGArt(ArtRecord* art) override;
  int32_t HandleRArt(ArtRecord* art) override;
  int32_t HandleGetS(AudioRequest* request) override;

 protected:
  ~ItunesVisualHost() override = default;

 private:
  static LRESULT CALLBACK ViewWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
  LRESULT HandleViewMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Installs this host's procedure on the window, remembering the window's own.
  void Subclass(HWND window);
  // Gives the window its own procedure back if it still runs this host's.
  void GiveBack(HWND window);
  // Whether the view window covers its monitor exactly.
  static bool CoversItsMonitor(HWND window, const RECT& client);
  // Sends iTunes the message with the header filled in; iTunes' answer (-4 without a callback).
  itunes::Status SendPlayer(Code code, PlayerMessage* message);
  itunes::Status SendFullscreen(bool fullscreen);

  void* mCookie = nullptr;
  ApplicationCallback mCallback = nullptr;
  TrackInfo mTrack = {};
  StreamInfo mStream = {};
  PulseAudio mAudio;
  FullscreenRequest mFullscreen;
  WNDPROC mPreviousProcedure = nullptr;  // the subclassed window's own procedure
  HWND mSubclassedWindow = nullptr;
  RECT mClient = {};  // the client rectangle of the last attach, the engine's extra value
};

}  // namespace itunes
