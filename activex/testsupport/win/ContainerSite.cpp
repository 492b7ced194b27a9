#include "activex/testsupport/win/ContainerSite.h"

namespace activex_site {
namespace {

ContainerSite* OwnerOf(IOleClientSite* face) {
  return reinterpret_cast<ContainerSite::ClientFace*>(face)->owner;
}
ContainerSite* OwnerOf(IOleInPlaceSite* face) {
  return reinterpret_cast<ContainerSite::InPlaceFace*>(face)->owner;
}
ContainerSite* OwnerOf(IOleControlSite* face) {
  return reinterpret_cast<ContainerSite::ControlSiteFace*>(face)->owner;
}

void Heard(ContainerSite* site, const char* call) {
  if (site->heard) site->heard(call);
}

template <class Face>
HRESULT STDMETHODCALLTYPE Query(Face* face, REFIID iid, void** out) {
  ContainerSite* site = OwnerOf(face);
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
    *out = &site->client;
  else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
    *out = &site->inPlace;
  else if (site->offerControlSite && IsEqualIID(iid, IID_IOleControlSite))
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
  ContainerSite* site = OwnerOf(face);
  const LONG left = InterlockedDecrement(&site->references);
  if (left < 1 && site->overReleased) site->overReleased();
  return ULONG(left);
}

HRESULT STDMETHODCALLTYPE SaveObject(IOleClientSite*) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetMoniker(IOleClientSite*, DWORD, DWORD, IMoniker** moniker) {
  *moniker = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE GetContainer(IOleClientSite*, IOleContainer** container) {
  *container = nullptr;
  return E_NOINTERFACE;
}
HRESULT STDMETHODCALLTYPE ShowObject(IOleClientSite*) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnShowWindow(IOleClientSite*, BOOL) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE RequestNewObjectLayout(IOleClientSite*) {
  return E_NOTIMPL;
}

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
  Heard(OwnerOf(face), "GetWindow");
  *window = OwnerOf(face)->window;
  return *window != nullptr ? S_OK : E_FAIL;
}
HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(IOleInPlaceSite*, BOOL) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CanInPlaceActivate(IOleInPlaceSite* face) {
  Heard(OwnerOf(face), "CanInPlaceActivate");
  return OwnerOf(face)->allowInPlace ? S_OK : S_FALSE;
}
HRESULT STDMETHODCALLTYPE OnInPlaceActivate(IOleInPlaceSite* face) {
  Heard(OwnerOf(face), "OnInPlaceActivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnUIActivate(IOleInPlaceSite* face) {
  Heard(OwnerOf(face), "OnUIActivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceSite* face, IOleInPlaceFrame** frame,
                                           IOleInPlaceUIWindow** document, LPRECT position,
                                           LPRECT clip, LPOLEINPLACEFRAMEINFO) {
  Heard(OwnerOf(face), "GetWindowContext");
  *frame = nullptr;
  *document = nullptr;
  *position = OwnerOf(face)->place;
  *clip = OwnerOf(face)->place;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE Scroll(IOleInPlaceSite*, SIZE) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE OnUIDeactivate(IOleInPlaceSite* face, BOOL) {
  Heard(OwnerOf(face), "OnUIDeactivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate(IOleInPlaceSite* face) {
  Heard(OwnerOf(face), "OnInPlaceDeactivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE DiscardUndoState(IOleInPlaceSite*) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE DeactivateAndUndo(IOleInPlaceSite*) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnPosRectChange(IOleInPlaceSite*, LPCRECT) {
  return S_OK;
}

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

HRESULT STDMETHODCALLTYPE OnControlInfoChanged(IOleControlSite*) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE LockInPlaceActive(IOleControlSite*, BOOL) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetExtendedControl(IOleControlSite*, IDispatch** control) {
  *control = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TransformCoords(IOleControlSite*, POINTL*, POINTF*, DWORD) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TranslateAccelerator(IOleControlSite*, MSG*, DWORD) {
  return S_FALSE;
}
HRESULT STDMETHODCALLTYPE OnFocus(IOleControlSite*, BOOL) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE ShowPropertyFrame(IOleControlSite*) {
  return E_NOTIMPL;
}

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

}  // namespace

ContainerSite::ContainerSite()
    : client{&kClientSiteTable, this},
      inPlace{&kInPlaceSiteTable, this},
      controlSite{&kControlSiteTable, this} {}

}  // namespace activex_site
