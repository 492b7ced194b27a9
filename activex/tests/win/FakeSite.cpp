#include "activex/tests/win/FakeSite.h"

namespace activex_test {
namespace {

FakeSite* OwnerOf(IOleClientSite* face) { return reinterpret_cast<FakeSite::ClientFace*>(face)->owner; }
FakeSite* OwnerOf(IOleInPlaceSite* face) { return reinterpret_cast<FakeSite::InPlaceFace*>(face)->owner; }

template <class Face>
HRESULT STDMETHODCALLTYPE SiteQuery(Face* face, REFIID iid, void** out) {
  FakeSite* site = OwnerOf(face);
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
    *out = &site->client;
  else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
    *out = &site->inPlace;
  if (*out == nullptr) return E_NOINTERFACE;
  ++site->references;
  return S_OK;
}
template <class Face>
ULONG STDMETHODCALLTYPE SiteAddRef(Face* face) {
  return ULONG(++OwnerOf(face)->references);
}
template <class Face>
ULONG STDMETHODCALLTYPE SiteRelease(Face* face) {
  return ULONG(--OwnerOf(face)->references);
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
    .QueryInterface = SiteQuery<IOleClientSite>,
    .AddRef = SiteAddRef<IOleClientSite>,
    .Release = SiteRelease<IOleClientSite>,
    .SaveObject = SaveObject,
    .GetMoniker = GetMoniker,
    .GetContainer = GetContainer,
    .ShowObject = ShowObject,
    .OnShowWindow = OnShowWindow,
    .RequestNewObjectLayout = RequestNewObjectLayout,
};

HRESULT STDMETHODCALLTYPE GetWindow(IOleInPlaceSite* face, HWND* window) {
  OwnerOf(face)->calls.push_back("GetWindow");
  *window = OwnerOf(face)->parent;
  return *window != nullptr ? S_OK : E_FAIL;
}
HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(IOleInPlaceSite*, BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CanInPlaceActivate(IOleInPlaceSite* face) {
  OwnerOf(face)->calls.push_back("CanInPlaceActivate");
  return OwnerOf(face)->allowInPlace ? S_OK : S_FALSE;
}
HRESULT STDMETHODCALLTYPE OnInPlaceActivate(IOleInPlaceSite* face) {
  OwnerOf(face)->calls.push_back("OnInPlaceActivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnUIActivate(IOleInPlaceSite* face) {
  OwnerOf(face)->calls.push_back("OnUIActivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceSite* face, IOleInPlaceFrame** frame,
                                           IOleInPlaceUIWindow** document, LPRECT position,
                                           LPRECT clip, LPOLEINPLACEFRAMEINFO) {
  OwnerOf(face)->calls.push_back("GetWindowContext");
  *frame = nullptr;
  *document = nullptr;
  *position = OwnerOf(face)->place;
  *clip = OwnerOf(face)->place;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE Scroll(IOleInPlaceSite*, SIZE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OnUIDeactivate(IOleInPlaceSite* face, BOOL) {
  OwnerOf(face)->calls.push_back("OnUIDeactivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate(IOleInPlaceSite* face) {
  OwnerOf(face)->calls.push_back("OnInPlaceDeactivate");
  return S_OK;
}
HRESULT STDMETHODCALLTYPE DiscardUndoState(IOleInPlaceSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE DeactivateAndUndo(IOleInPlaceSite*) { return S_OK; }
HRESULT STDMETHODCALLTYPE OnPosRectChange(IOleInPlaceSite*, LPCRECT) { return S_OK; }

const IOleInPlaceSiteVtbl kInPlaceSiteTable = {
    .QueryInterface = SiteQuery<IOleInPlaceSite>,
    .AddRef = SiteAddRef<IOleInPlaceSite>,
    .Release = SiteRelease<IOleInPlaceSite>,
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


}  // namespace

FakeSite::FakeSite() : client{&kClientSiteTable, this}, inPlace{&kInPlaceSiteTable, this} {}

}  // namespace activex_test
