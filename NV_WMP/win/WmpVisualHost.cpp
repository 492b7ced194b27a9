#include "NV_WMP/win/WmpVisualHost.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "NV_WMP/CoveredInsets.h"
#include "visualhost/engine/EngineInterface.h"

namespace wmp {

namespace {

constexpr int kClassNameCapacity = 256;
// 'FSHt' without the player's main window to ask.
constexpr int32_t kNoPlayerWindow = 55013;

struct BarWindow {
  BarCandidate candidate;
  char className[kClassNameCapacity];
};

EngineRect ToEngineRect(const RECT& rect) {
  return EngineRect{int32_t(rect.left), int32_t(rect.top), int32_t(rect.right),
                    int32_t(rect.bottom)};
}

// The top-level windows of the root's level in Z order that may be the player's bars.
std::vector<BarWindow> BarWindowsBeside(HWND root) {
  std::vector<BarWindow> bars;
  for (HWND window = GetWindow(root, GW_HWNDFIRST); window != nullptr;
       window = GetWindow(window, GW_HWNDNEXT)) {
    WINDOWINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetWindowInfo(window, &info)) continue;
    BarWindow bar = {};
    bar.candidate.layered = (info.dwExStyle & WS_EX_LAYERED) != 0;
    if (!bar.candidate.layered) continue;
    if (GetClassNameA(window, bar.className, kClassNameCapacity) == 0) continue;
    if (!IsBarWindowClass(bar.className, true)) continue;
    bar.candidate.rect = ToEngineRect(info.rcWindow);
    bars.push_back(bar);
  }
  return bars;
}

}  // namespace

WmpVisualHost::WmpVisualHost(bool inMediaCenter) : mInMediaCenter(inMediaCenter) {
  mTrackClientSize = true;
  mUsePumpThread = true;
  UpdateMetadata(nullptr);
}

void WmpVisualHost::StartInstance() {
  VisualHost::StartInstance();
  if (mInstance != 0) SendTrackAndArt();
}

int32_t WmpVisualHost::AttachWindow(HostWindow window, uint32_t flags, void* extra) {
  if (mInstance == 0 && window != nullptr) {
    StartInstance();
    ClearAudio();
  } else {
    ClearAudio();
    if (window == nullptr) OnTargetDetached();
  }
  int32_t result = NVStatus::kNoInstance;
  if (mInstance != 0) {
    result = SetEngineTarget(window, TargetFlags::kWindow, flags, extra);
    mAttachedWindow = window;
    mAttachedDeviceContext = nullptr;
    mAttachedTarget = nullptr;
  }
  SendInsets();
  if (result == NVStatus::kOk && mAttachedWindow.load() != nullptr) Schedule(true);
  return result;
}

int32_t WmpVisualHost::HandleFSHt(bool flag, void*, void*) {
  if (IsFullscreen() == flag) return NVStatus::kOk;
  HWND player = FindWindowW(L"WMPlayerApp", nullptr);
  if (player == nullptr) return kNoPlayerWindow;
  SetForegroundWindow(player);
  // Alt+Enter, the player's own fullscreen toggle; the engine follows the player's change
  // through GoFullscreen and Create.
  PostMessageW(player, WM_SYSKEYDOWN, VK_RETURN, 0);
  return NVStatus::kOk;
}

int32_t WmpVisualHost::HandleGetS(AudioRequest* request) {
  mPumpEnabled = mAudio.Fill(request);
  return NVStatus::kOk;
}

void WmpVisualHost::TakeLevels(const TimedLevel& levels) {
  mAudio.Convert(levels);
  mPumpEnabled = true;
}

void WmpVisualHost::ClearAudio() {
  mAudio.Clear();
  mPumpEnabled = true;
}

void WmpVisualHost::SendInsets() {
  HWND window = static_cast<HWND>(mAttachedWindow.load());
  if (window == nullptr) return;
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  HWND root = GetAncestor(window, GA_ROOT);
  if (root == nullptr) return;
  const std::vector<BarWindow> bars = BarWindowsBeside(root);
  std::vector<BarCandidate> candidates;
  candidates.reserve(bars.size());
  for (const BarWindow& bar : bars) {
    BarCandidate candidate = bar.candidate;
    candidate.className = bar.className;
    candidates.push_back(candidate);
  }
  EngineRect insets =
      CoveredInsets(ToEngineRect(rect), candidates.data(), candidates.size(), mInMediaCenter);
  if (mInstance != 0 && CanRequest()) mTable->Request(mInstance, HostRequest::kInsets, &insets, nullptr);
}

void WmpVisualHost::SendTrackAndArt() {
  if (mInstance == 0 || !CanRequest()) return;
  mTable->Request(mInstance, HostRequest::kTrack, &mTrack, nullptr);
  mTable->Request(mInstance, HostRequest::kCoverArt, &mArt, nullptr);
}

void WmpVisualHost::SetArt(const UtilStr& path) {
  if (path.Length() < 5) {
    ClearArt();
    return;
  }
  mArtPath = path;
  std::memset(&mArt, 0, sizeof(mArt));
  mArt.kind = ArtKind::kUtf8Path;
  mArt.payload.utf8Path = mArtPath.Text();
}

void WmpVisualHost::ClearArt() {
  mArtPath = UtilStr();
  std::memset(&mArt, 0, sizeof(mArt));
}

}  // namespace wmp
