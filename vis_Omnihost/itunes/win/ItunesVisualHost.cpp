#include "vis_Omnihost/itunes/win/ItunesVisualHost.h"

#include <cstring>

#include "utility/MillisecondClock.h"
#include "vis_Omnihost/itunes/ItunesTrackTexts.h"
#include "visualhost/host/HostDescriptors.h"
#include "visualhost/monitors/Monitors.h"

namespace itunes {

namespace {

ItunesVisualHost* gHost = nullptr;

// iTunes' view window gets this timer while the engine draws into it.
constexpr UINT_PTR kViewTimerId = 55;
constexpr UINT kViewTimerMs = 700;
// The mouse border the engine keeps free of its own mouse use, outside fullscreen.
constexpr int32_t kWindowMouseBorder = 6;
// The engine counts as idle once it has had no target for this many seconds.
constexpr int64_t kIdleSeconds = 37;
// A draw call never holds iTunes' main thread longer than this, whatever period the engine
// asks for.
constexpr int32_t kLongestDrawSleepMs = 100;
// Answers to the engine: iTunes refused the fullscreen change; the cover is not handed out on
// request; an art record without payload.
constexpr int32_t kFullscreenRefused = 55010;
constexpr int32_t kArtNotGiven = 55027;
constexpr int32_t kNoArtPayload = 55011;

HMONITOR MonitorOf(HWND window) {
  if (!BindMonitorFunctions()) return static_cast<HMONITOR>(PrimaryMonitorPseudoHandle());
  const MonitorFunctions& functions = BoundMonitorFunctions();
  RECT rect = {};
  if (GetWindowRect(window, &rect)) {
    const auto fromPoint = reinterpret_cast<decltype(&MonitorFromPoint)>(functions.monitorFromPoint);
    const POINT centre = {rect.left + (rect.right - rect.left) / 2,
                          rect.top + (rect.bottom - rect.top) / 2};
    return fromPoint(centre, MONITOR_DEFAULTTONEAREST);
  }
  const auto fromWindow =
      reinterpret_cast<decltype(&MonitorFromWindow)>(functions.monitorFromWindow);
  return fromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
}

}  // namespace

ItunesVisualHost::ItunesVisualHost() {
  SetDescriptor(HostDescriptor::kITunes);
  gHost = this;
}

ItunesVisualHost* ItunesVisualHost::Current() {
  return gHost;
}

void ItunesVisualHost::KeepApplication(void* cookie, ApplicationCallback callback) {
  mCookie = cookie;
  mCallback = callback;
}

void ItunesVisualHost::Dispose() {
  // The view window's procedure finds the host through the process-wide pointer, so that is
  // cleared only once the window has been given back.
  VisualHost::Dispose();
  if (mSubclassedWindow != nullptr) GiveBack(mSubclassedWindow);
  if (gHost == this) gHost = nullptr;
}

bool ItunesVisualHost::CoversItsMonitor(HWND window, const RECT& client) {
  MonitorSize size = {};
  GetMonitorSize(MonitorOf(window), &size);
  return client.right - client.left == size.width && client.bottom - client.top == size.height;
}

void ItunesVisualHost::Show(HWND window, bool fullscreen) {
  if (window != nullptr && mInstance == 0) {
    StartInstance();
    UpdateTrack(nullptr, nullptr);
  }
  if (mInstance == 0) return;
  if (window == nullptr) {
    DetachTarget();
    return;
  }
  mClient = {};
  if (!GetClientRect(window, &mClient)) mClient = {};
  if (!fullscreen && CoversItsMonitor(window, mClient)) fullscreen = true;
  fullscreen = mFullscreen.Settle(fullscreen, NowMs());
  AttachWindow(window, fullscreen ? TargetFlags::kFullscreen : 0, &mClient);
  if (HasWindow()) SetTimer(window, kViewTimerId, kViewTimerMs, nullptr);
  mNextPeriod = 0;
  Step();
}

void ItunesVisualHost::ShowAgain(bool fullscreen) {
  if (HWND window = static_cast<HWND>(mAttachedWindow.load())) Show(window, fullscreen);
}

int32_t ItunesVisualHost::AttachWindow(HostWindow window, uint32_t flags, void* extra) {
  HWND view = static_cast<HWND>(window);
  if (mSubclassedWindow != nullptr && mSubclassedWindow != view) GiveBack(mSubclassedWindow);
  if (view == nullptr) OnTargetDetached();
  int32_t result = NVStatus::kNoInstance;
  if (mInstance != 0) {
    result = SetEngineTarget(view, TargetFlags::kWindow, flags, extra);
    mAttachedWindow = view;
    mAttachedDeviceContext = nullptr;
    mAttachedTarget = nullptr;
  }
  if (view != nullptr && mAttachedWindow.load() == view && IsWindow(view)) Subclass(view);
  mMouseBorder = (flags & TargetFlags::kFullscreen) != 0 ? 0 : kWindowMouseBorder;
  return result;
}

void ItunesVisualHost::Subclass(HWND window) {
  const auto own = reinterpret_cast<WNDPROC>(&ViewWindowProcedure);
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (current == own) return;
  mPreviousProcedure = current;
  mSubclassedWindow = window;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
}

void ItunesVisualHost::GiveBack(HWND window) {
  const auto own = reinterpret_cast<WNDPROC>(&ViewWindowProcedure);
  if (IsWindow(window)) {
    KillTimer(window, kViewTimerId);
    // A procedure installed over ours by someone else stays; ours is no longer called then.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == own) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mPreviousProcedure));
    }
  }
  if (window == mSubclassedWindow) {
    mSubclassedWindow = nullptr;
    mPreviousProcedure = nullptr;
  }
}

LRESULT CALLBACK ItunesVisualHost::ViewWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
  try {
    ItunesVisualHost* host = gHost;
    if (host != nullptr && host->mSubclassedWindow == window) {
      return host->HandleViewMessage(window, message, wParam, lParam);
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ItunesVisualHost::HandleViewMessage(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  // Taken first: on WM_DESTROY the host gives the window back while handling it.
  const WNDPROC previous = mPreviousProcedure;
  bool handled = false;
  const intptr_t result = HandleMessage(message, wParam, lParam, &handled);
  if (message == WM_DESTROY) GiveBack(window);
  if (handled) return result;
  if (previous != nullptr) return CallWindowProcW(previous, window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

void ItunesVisualHost::Step() {
  if (mInstance != 0) VisualHost::Step();
  if (mNextPeriod > 0) {
    const int32_t sleepMs = mNextPeriod - 1 < kLongestDrawSleepMs ? mNextPeriod - 1
                                                                  : kLongestDrawSleepMs;
    if (sleepMs > 0) Sleep(DWORD(sleepMs));
  }
}

void ItunesVisualHost::IdleCheck() {
  if (mAttachedWindow.load() != nullptr || mAttachedDeviceContext != nullptr ||
      mAttachedTarget != nullptr) {
    return;
  }
  if (mInstance == 0 || !CanRequest()) return;
  if (mTable->Request(mInstance, HostRequest::kStopQuery, nullptr, nullptr) >= kIdleSeconds) {
    StopInstance();
  }
}

void ItunesVisualHost::UpdateTrack(const TrackInfo* track, const StreamInfo* stream) {
  if (track != nullptr || stream != nullptr) {
    if (track != nullptr) {
      std::memcpy(&mTrack, track, sizeof mTrack);
    } else {
      mTrack = {};
    }
    if (stream != nullptr) {
      std::memcpy(&mStream, stream, sizeof mStream);
    } else {
      mStream = {};
    }
  }
  const TrackTexts texts = ChooseTrackTexts(mTrack, mStream);
  SendTrackInfo(texts.title, texts.artist, texts.album, texts.year);
  PlayerMessage message = {};
  SendPlayer(player_message::kRequestCoverArt, &message);
}

void ItunesVisualHost::SendCoverArt(const void* bytes, uint32_t byteCount) {
  if (mInstance == 0 || !CanRequest()) return;
  ArtRecord art = {};
  if (bytes != nullptr && byteCount > 0) {
    art.kind = ArtKind::kImageBytes;
    art.payload.image.bytes = bytes;
    art.payload.image.byteCount = byteCount;
  }
  mTable->Request(mInstance, HostRequest::kCoverArt, &art, nullptr);
}

Status ItunesVisualHost::SendPlayer(Code code, PlayerMessage* message) {
  if (mCallback == nullptr) return status::kUnimplemented;
  message->header.majorVersion = kMajorMessageVersion;
  message->header.minorVersion = kMinorMessageVersion;
  message->header.messageSize = kPlayerMessageSize;
  return mCallback(mCookie, code, message);
}

Status ItunesVisualHost::SendFullscreen(bool fullscreen) {
  PlayerMessage message = {};
  message.u.setFullscreen.fullscreen = fullscreen ? 1 : 0;
  return SendPlayer(player_message::kSetFullscreen, &message);
}

int32_t ItunesVisualHost::HandleFSHt(bool flag, void*, void*) {
  // iTunes takes a request for fullscreen only from windowed, so it is reset first.
  if (flag) SendFullscreen(false);
  mFullscreen.Note(flag, NowMs());
  return SendFullscreen(flag) != status::kOk ? kFullscreenRefused : NVStatus::kOk;
}

int32_t ItunesVisualHost::HandleGArt(ArtRecord*) {
  return kArtNotGiven;  // the cover arrives with 'Vart' and is pushed as 'CArt'
}

int32_t ItunesVisualHost::HandleRArt(ArtRecord* art) {
  if (art == nullptr) return kNoArtPayload;
  uint8_t payload[8];
  std::memcpy(payload, reinterpret_cast<const uint8_t*>(art) + 8, sizeof payload);
  for (uint8_t byte : payload) {
    if (byte != 0) return NVStatus::kOk;
  }
  return kNoArtPayload;
}

int32_t ItunesVisualHost::HandleGetS(AudioRequest* request) {
  return mAudio.Fill(request);
}

}  // namespace itunes
