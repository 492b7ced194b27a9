#include "players/jriver/Container.h"

#include "NV_JMC/JmcIdentity.h"
#include "players/jriver/JRiverStandInControl.h"
#include "players/shared/PlayerWindow.h"
#include "players/shared/StandInJournal.h"

namespace jriver_standin {
namespace {

using refengine::JournalLine;

constexpr wchar_t kWindowClass[] = L"JRiverStandInWindow";

UINT gPluginEvent = 0;

void Journal(const char* what) { standin::WriteJournal(JournalLine(call::kSiteCall).Text("what", what)); }

Site* OwnerOf(IOleClientSite* face) { return reinterpret_cast<Site::ClientFace*>(face)->owner; }
Site* OwnerOf(IOleInPlaceSite* face) { return reinterpret_cast<Site::InPlaceFace*>(face)->owner; }
Site* OwnerOf(IOleControlSite* face) { return reinterpret_cast<Site::ControlSiteFace*>(face)->owner; }

template <class Face>
HRESULT STDMETHODCALLTYPE Query(Face* face, REFIID iid, void** out) {
  Site* site = OwnerOf(face);
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
    *out = &site->client;
  else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
    *out = &site->inPlace;
  else if (IsEqualIID(iid, IID_IOleControlSite))
    *out = &site->controlSite;
  if (*out == nullptr) return E_NOINTERFACE;
  InterlockedIncrement(&site->references);
  return S_OK;
}
template <class Face>
ULONG STDMETHODCALLTYPE AddRef(Face* face) {
  return ULONG(InterlockedIncrement(&OwnerOf(face)->references));
}
template <class Face>
ULONG STDMETHODCALLTYPE Release(Face* face) {
  const LONG left = InterlockedDecrement(&OwnerOf(face)->references);
  if (left < 1) standin::WriteUnexpected("the site was released more often than referenced");
  return ULONG(left);
}

HRESULT STDMETHODCALLTYPE SaveObject(IOleClientSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE GetMoniker(IOleClientSite*, DWORD, DWORD, IMoniker** moniker) {
  *moniker = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE GetContainer(IOleClientSite*, IOleContainer** container) {
  *container = nullptr;
  return E_NOINTERFACE;
}
HRESULT STDMETHODCALLTYPE ShowObject(IOleClientSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE OnShowWindow(IOleClientSite*, BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE RequestNewObjectLayout(IOleClientSite*) { return E_NOTIMPL; }

const IOleClientSiteVtbl kClientSiteTable = {
    .QueryInterface = Query<IOleClientSite>,
    .AddRef = AddRef<IOleClientSite>,
    .Release = Release<IOleClientSite>,
    .SaveObject = SaveObject,
    .GetMoniker = GetMoniker,
    .GetContainer = GetContainer,
    .ShowObject = ShowObject,
    .OnShowWindow = OnShowWindow,
    .RequestNewObjectLayout = RequestNewObjectLayout,
};

HRESULT STDMETHODCALLTYPE GetWindow(IOleInPlaceSite* face, HWND* window) {
  *window = OwnerOf(face)->window;
  return *window != nullptr ? S_OK : E_FAIL;
}
HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(IOleInPlaceSite*, BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CanInPlaceActivate(IOleInPlaceSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE OnInPlaceActivate(IOleInPlaceSite*) {
  Journal("OnInPlaceActivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnUIActivate(IOleInPlaceSite*) {
  Journal("OnUIActivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceSite* face, IOleInPlaceFrame** frame,
                                           IOleInPlaceUIWindow** document, LPRECT position,
                                           LPRECT clip, LPOLEINPLACEFRAMEINFO) {
  *frame = nullptr;
  *document = nullptr;
  *position = OwnerOf(face)->area;
  *clip = OwnerOf(face)->area;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE Scroll(IOleInPlaceSite*, SIZE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OnUIDeactivate(IOleInPlaceSite*, BOOL) {
  Journal("OnUIDeactivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate(IOleInPlaceSite*) {
  Journal("OnInPlaceDeactivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE DiscardUndoState(IOleInPlaceSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE DeactivateAndUndo(IOleInPlaceSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE OnPosRectChange(IOleInPlaceSite*, LPCRECT) { return S_OK; }

const IOleInPlaceSiteVtbl kInPlaceSiteTable = {
    .QueryInterface = Query<IOleInPlaceSite>,
    .AddRef = AddRef<IOleInPlaceSite>,
    .Release = Release<IOleInPlaceSite>,
    .GetWindow = GetWindow,
    .ContextSensitiveHelp = ContextSensitiveHelp,
    .CanInPlaceActivate = CanInPlaceActivate,
    .OnInPlaceActivate = OnInPlaceActivate,
    .OnUIActivate = OnUIActivate,
    .GetWindowContext = GetWindowContext,
    .Scroll = Scroll,
    .OnUIDeactivate = OnUIDeactivate,
    .OnInPlaceDeactivate = OnInPlaceDeactivate,
    .DiscardUndoState = DiscardUndoState,
    .DeactivateAndUndo = DeactivateAndUndo,
    .OnPosRectChange = OnPosRectChange,
};

HRESULT STDMETHODCALLTYPE OnControlInfoChanged(IOleControlSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE LockInPlaceActive(IOleControlSite*, BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE GetExtendedControl(IOleControlSite*, IDispatch** control) {
  *control = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TransformCoords(IOleControlSite*, POINTL*, POINTF*, DWORD) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TranslateAccelerator(IOleControlSite*, MSG*, DWORD) { return S_FALSE; }
HRESULT STDMETHODCALLTYPE OnFocus(IOleControlSite*, BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE ShowPropertyFrame(IOleControlSite*) { return E_NOTIMPL; }

const IOleControlSiteVtbl kControlSiteTable = {
    .QueryInterface = Query<IOleControlSite>,
    .AddRef = AddRef<IOleControlSite>,
    .Release = Release<IOleControlSite>,
    .OnControlInfoChanged = OnControlInfoChanged,
    .LockInPlaceActive = LockInPlaceActive,
    .GetExtendedControl = GetExtendedControl,
    .TransformCoords = TransformCoords,
    .TranslateAccelerator = TranslateAccelerator,
    .OnFocus = OnFocus,
    .ShowPropertyFrame = ShowPropertyFrame,
};

LRESULT CALLBACK PlayerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gPluginEvent != 0 && message == gPluginEvent) {
    standin::WriteJournal(JournalLine(call::kPluginEvent)
                              .Number("wParam", int64_t(wParam))
                              .Number("lParam", int64_t(uint32_t(lParam))));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

Site::Site()
    : client{&kClientSiteTable, this},
      inPlace{&kInPlaceSiteTable, this},
      controlSite{&kControlSiteTable, this} {}

HWND CreatePlayerWindow(HINSTANCE instance) {
  gPluginEvent = RegisterWindowMessageW(jmc::kDisplayPluginEvent);
  standin::RegisterPlayerWindowClass(instance, kWindowClass, &PlayerWindowProcedure,
                                     static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  return standin::CreatePlayerWindow(
      instance, kWindowClass, L"JRiver Media Center stand-in",
      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
      {60, 60, kAreaLeft * 2 + kAreaWidth, kAreaTop * 2 + kAreaHeight});
}

}  // namespace jriver_standin
