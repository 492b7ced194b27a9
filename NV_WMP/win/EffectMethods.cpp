// IWMPEffects and IWMPEffects2 of the effect object: the player's calls that drive rendering,
// windows, audio and metadata. The engine draws by itself into the player's window, paced by
// the host's pump thread; the player's renderings deliver audio and serve as the frame clock on
// which the engine is attached after the window has settled.
#include <windows.h>
#include <oleauto.h>

#include "NV_WMP/win/EffectObject.h"
#include "NV_WMP/win/ProductName.h"
#include "NV_WMP/win/WmpVisualHost.h"
#include "visualhost/engine/EngineInterface.h"

namespace wmp {

namespace {

constexpr LONG kPlaying = 3;
constexpr int32_t kInsetRenderings = 10;
constexpr int kPresetTitleUnits = 63;

HRESULT STDMETHODCALLTYPE QueryInterface(Effects* self, REFIID iid, void** out) {
  return ObjectQueryInterface(FromEffects(self), iid, out);
}
ULONG STDMETHODCALLTYPE AddRef(Effects* self) {
  return ObjectAddRef(FromEffects(self));
}
ULONG STDMETHODCALLTYPE Release(Effects* self) {
  return ObjectRelease(FromEffects(self));
}

// The player's device context and rectangle are never drawn into: the engine has its window.
HRESULT STDMETHODCALLTYPE Render(Effects*, TimedLevel*, HDC, RECT*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE MediaInfo(Effects*, LONG, LONG, BSTR) {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GetCapabilities(Effects*, DWORD* capabilities) {
  if (capabilities == nullptr) return E_POINTER;
  *capabilities = kEffectCanGoFullscreen;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GetTitle(Effects*, BSTR* title) {
  if (title == nullptr) return E_POINTER;
  *title = nullptr;
  const char* name = ProductName();
  const int units = MultiByteToWideChar(CP_THREAD_ACP, 0, name, -1, nullptr, 0);
  if (units <= 0) return E_FAIL;
  BSTR text = SysAllocStringLen(nullptr, UINT(units - 1));
  if (text == nullptr) return E_OUTOFMEMORY;
  MultiByteToWideChar(CP_THREAD_ACP, 0, name, -1, text, units);
  *title = text;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GetPresetTitle(Effects*, LONG preset, BSTR* title) {
  if (title == nullptr) return E_POINTER;
  *title = nullptr;
  if (preset != 0) return E_INVALIDARG;
  wchar_t wide[kPresetTitleUnits + 1] = {};
  const UtilStr name(ProductName());
  name.ToUtf16(reinterpret_cast<char16_t*>(wide), int32_t(sizeof(wide)));
  if (wide[0] == 0) return E_INVALIDARG;
  BSTR text = SysAllocString(wide);
  if (text == nullptr) return E_OUTOFMEMORY;
  *title = text;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GetPresetCount(Effects*, LONG* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

// There is one preset: any choice leaves preset 0 selected.
HRESULT STDMETHODCALLTYPE SetCurrentPreset(Effects*, LONG) {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GetCurrentPreset(Effects* self, LONG* preset) {
  if (preset == nullptr) return E_POINTER;
  EffectObject* object = FromEffects(self);
  *preset = object->host != nullptr ? object->host->CurrentPreset() : 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DisplayPropertyPage(Effects*, HWND) {
  return E_NOTIMPL;
}

// Steps 3 to 5 of Create: a window change detaches the engine from the old window and lets the
// new one settle before the engine is attached to it.
void ArmAttach(EffectObject* object) {
  if (object->host == nullptr) return;
  HostWindow attached = object->host->AttachedWindow();
  if (attached != nullptr && attached != object->parent) object->host->DetachTarget();
  if (object->attachCountdown < object->settleFrames) {
    object->attachCountdown = object->settleFrames;
  }
}

HRESULT STDMETHODCALLTYPE GoFullscreen(Effects* self, BOOL fullscreen) {
  EffectObject* object = FromEffects(self);
  const bool wanted = fullscreen != FALSE;
  if (wanted == object->fullscreen) return S_OK;
  object->fullscreen = wanted;
  ArmAttach(object);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Create(Effects* self, HWND parent) {
  EffectObject* object = FromEffects(self);
  if (parent == object->parent) return S_OK;
  object->parent = parent;
  ArmAttach(object);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Destroy(Effects* self) {
  EffectObject* object = FromEffects(self);
  object->parent = nullptr;
  WmpVisualHost* host = object->host;
  if (host == nullptr) return S_OK;
  if (host->RefCount() > 1) {
    object->host = nullptr;
    host->Release();
  } else {
    // The last object keeps the host for a later Create; the engine instance goes now.
    host->StopInstance();
  }
  return S_OK;
}

void AttachNow(EffectObject* object) {
  object->host->AttachWindow(object->parent, object->fullscreen ? TargetFlags::kFullscreen : 0,
                             nullptr);
  object->insetCountdown = kInsetRenderings;
}

bool PlayerIsPlaying(EffectObject* object) {
  if (object->core == nullptr) return false;
  WMPPlayState state = wmppsUndefined;
  if (FAILED(IWMPCore_get_playState(object->core, &state))) return false;
  return state == kPlaying;
}

HRESULT STDMETHODCALLTYPE RenderWindowed(Effects* self, TimedLevel* levels, BOOL) {
  EffectObject* object = FromEffects(self);
  WmpVisualHost* host = object->host;
  if (host == nullptr) return S_OK;
  if (object->attachCountdown > 0) {
    --object->attachCountdown;
    if (object->attachCountdown > 0) {
      Sleep(1);  // keeps the player's frame loop from spinning while the window settles
    } else {
      AttachNow(object);
    }
  } else if (host->AttachedWindow() != object->parent) {
    AttachNow(object);
  } else if (object->insetCountdown > 0 && --object->insetCountdown == 0) {
    host->SendInsets();  // the player has placed its bars by now
  }
  if (levels != nullptr && PlayerIsPlaying(object)) {
    host->TakeLevels(*levels);
  } else {
    host->ClearAudio();
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RenderFullScreen(Effects* self, TimedLevel* levels) {
  return RenderWindowed(self, levels, FALSE);
}

HRESULT STDMETHODCALLTYPE OnWindowMessage(Effects* self, UINT message, WPARAM wParam,
                                          LPARAM lParam, LRESULT* result) {
  EffectObject* object = FromEffects(self);
  if (object->host == nullptr) return S_FALSE;
  // The host paints by validating the window the engine draws into. While the engine is not in
  // the player's window (the settle frames after Create or GoFullscreen, after Destroy) the
  // paint is the player's: claiming it would leave the window invalid, and the player's loop
  // would be handed the same paint message for ever.
  const bool paint = message == WM_PAINT || message == WM_ERASEBKGND;
  if (paint && (object->parent == nullptr ||
                object->host->AttachedWindow() != static_cast<HostWindow>(object->parent))) {
    return S_FALSE;
  }
  bool handled = false;
  const intptr_t answer = object->host->HandleMessage(message, wParam, lParam, &handled);
  if (result != nullptr) *result = answer;
  return handled ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE NotifyNewMedia(Effects* self, IWMPMedia* media) {
  EffectObject* object = FromEffects(self);
  if (object->host != nullptr) object->host->UpdateMetadata(media);
  return S_OK;
}

void Disconnect(EffectObject* object) {
  if (object->connection != nullptr) {
    if (object->cookie != 0) {
      IConnectionPoint_Unadvise(object->connection, object->cookie);
      object->cookie = 0;
    }
    IConnectionPoint_Release(object->connection);
    object->connection = nullptr;
  }
  if (object->core != nullptr) {
    IWMPCore_Release(object->core);
    object->core = nullptr;
  }
}

HRESULT STDMETHODCALLTYPE SetCore(Effects* self, IWMPCore* core) {
  EffectObject* object = FromEffects(self);
  Disconnect(object);
  if (core == nullptr) return S_OK;
  IWMPCore_AddRef(core);
  object->core = core;
  IConnectionPointContainer* container = nullptr;
  HRESULT hr = IWMPCore_QueryInterface(core, IID_IConnectionPointContainer,
                                       reinterpret_cast<void**>(&container));
  if (FAILED(hr)) return hr;
  if (container == nullptr) return E_NOINTERFACE;
  IConnectionPoint* connection = nullptr;
  hr = IConnectionPointContainer_FindConnectionPoint(container, IID_IWMPEvents, &connection);
  if (FAILED(hr) || connection == nullptr) {
    IConnectionPointContainer_Release(container);
    return FAILED(hr) ? hr : E_NOINTERFACE;
  }
  DWORD cookie = 0;
  hr = IConnectionPoint_Advise(connection, reinterpret_cast<IUnknown*>(&object->automation),
                               &cookie);
  if (FAILED(hr) || cookie == 0) {
    IConnectionPoint_Release(connection);
  } else {
    object->connection = connection;
    object->cookie = cookie;
  }
  IConnectionPointContainer_Release(container);
  return hr;
}

}  // namespace

const EffectsTable kEffectsTable = {
    QueryInterface,   AddRef,           Release,          Render,
    MediaInfo,        GetCapabilities,  GetTitle,         GetPresetTitle,
    GetPresetCount,   SetCurrentPreset, GetCurrentPreset, DisplayPropertyPage,
    GoFullscreen,     RenderFullScreen, SetCore,          Create,
    Destroy,          NotifyNewMedia,   OnWindowMessage,  RenderWindowed,
};

}  // namespace wmp
