#include "activex/win/ActiveXControl.h"

#include "activex/win/ModuleLock.h"

namespace activex {
namespace {

HMODULE gTypeLibraryModule = nullptr;
ITypeLib* gTypeLibrary = nullptr;  // loaded once, kept for the life of the process

template <class Interface, class Table>
void Bind(InterfaceSlot<Interface>* slot, const Table* table, ActiveXControl* owner) {
  slot->face.lpVtbl = table;
  slot->owner = owner;
}

ITypeLib* TypeLibrary() {
  if (gTypeLibrary != nullptr || gTypeLibraryModule == nullptr) return gTypeLibrary;
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(gTypeLibraryModule, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, &library))) return nullptr;
  // Two apartments racing here both load; the loser gives its copy back.
  if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(&gTypeLibrary), library,
                                        nullptr) != nullptr)
    library->lpVtbl->Release(library);
  return gTypeLibrary;
}

HRESULT TypeInfoOf(const GUID* guid, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  ITypeLib* library = TypeLibrary();
  if (library == nullptr || guid == nullptr) return TYPE_E_ELEMENTNOTFOUND;
  return library->lpVtbl->GetTypeInfoOfGuid(library, *guid, info);
}

LRESULT CALLBACK ControlWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* control = reinterpret_cast<ActiveXControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (control == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  try {
    return control->OnWindowMessage(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ControlWindowProcedure), &module);
  return module;
}

bool EnsureWindowClass(const wchar_t* name) {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(ThisModule(), name, &existing)) return true;
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &ControlWindowProcedure;
  windowClass.hInstance = ThisModule();
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

ActiveXControl::ActiveXControl(const ControlIdentity& identity) : mIdentity(identity) {
  Bind(&mOleObject, &kOleObjectTable, this);
  Bind(&mInPlaceObject, &kInPlaceObjectTable, this);
  Bind(&mInPlaceActiveObject, &kInPlaceActiveObjectTable, this);
  Bind(&mOleControl, &kOleControlTable, this);
  Bind(&mViewObject, &kViewObjectTable, this);
  Bind(&mPersistStream, &kPersistStreamTable, this);
  Bind(&mQuickActivate, &kQuickActivateTable, this);
  Bind(&mPropertyPages, &kPropertyPagesTable, this);
  Bind(&mClassInfo, &kClassInfoTable, this);
  Bind(&mDispatch, &kDispatchTable, this);
  LockModule();
}

ActiveXControl::~ActiveXControl() { UnlockModule(); }

void ActiveXControl::SetTypeLibraryModule(HMODULE module) { gTypeLibraryModule = module; }

HRESULT ActiveXControl::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject))
    *out = &mOleObject.face;
  else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
    *out = &mInPlaceObject.face;
  else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
    *out = &mInPlaceActiveObject.face;
  else if (IsEqualIID(iid, IID_IOleControl))
    *out = &mOleControl.face;
  else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2) ||
           IsEqualIID(iid, IID_IViewObjectEx))
    *out = &mViewObject.face;
  else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit))
    *out = &mPersistStream.face;
  else if (IsEqualIID(iid, IID_IQuickActivate))
    *out = &mQuickActivate.face;
  else if (IsEqualIID(iid, IID_ISpecifyPropertyPages))
    *out = &mPropertyPages.face;
  else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2))
    *out = &mClassInfo.face;
  else if (IsEqualIID(iid, IID_IDispatch) ||
           (mIdentity.dispatchIid != nullptr && IsEqualIID(iid, *mIdentity.dispatchIid)))
    *out = &mDispatch.face;
  if (*out == nullptr) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG ActiveXControl::AddRef() { return ULONG(InterlockedIncrement(&mReferences)); }

ULONG ActiveXControl::Release() {
  const LONG left = InterlockedDecrement(&mReferences);
  if (left != 0) return ULONG(left);
  // The window and the site go while the whole object still stands: the subclass sees its
  // window's last messages.
  mReferences = 1;  // calls made while tearing down must not release again
  InPlaceDeactivate();
  ReleaseSite();
  if (mViewSink != nullptr) mViewSink->lpVtbl->Release(mViewSink);
  mViewSink = nullptr;
  if (mOleAdviseHolder != nullptr) mOleAdviseHolder->lpVtbl->Release(mOleAdviseHolder);
  mOleAdviseHolder = nullptr;
  delete this;
  return 0;
}

void ActiveXControl::ReleaseSite() {
  if (mInPlaceSite != nullptr) mInPlaceSite->lpVtbl->Release(mInPlaceSite);
  mInPlaceSite = nullptr;
  if (mClientSite != nullptr) mClientSite->lpVtbl->Release(mClientSite);
  mClientSite = nullptr;
}

HRESULT ActiveXControl::SetClientSite(IOleClientSite* site) {
  if (site == mClientSite) return S_OK;
  if (site != nullptr) site->lpVtbl->AddRef(site);
  if (mClientSite != nullptr) mClientSite->lpVtbl->Release(mClientSite);
  mClientSite = site;
  return S_OK;
}

HRESULT ActiveXControl::GetClientSite(IOleClientSite** site) {
  if (site == nullptr) return E_POINTER;
  *site = mClientSite;
  if (mClientSite != nullptr) mClientSite->lpVtbl->AddRef(mClientSite);
  return S_OK;
}

HRESULT ActiveXControl::Close(DWORD) {
  if (mClosing) return S_OK;
  mClosing = true;
  InPlaceDeactivate();
  if (mOleAdviseHolder != nullptr) mOleAdviseHolder->lpVtbl->SendOnClose(mOleAdviseHolder);
  mClosing = false;
  return S_OK;
}

HRESULT ActiveXControl::DoVerb(LONG verb, IOleClientSite* site, HWND parent,
                               const RECT* position) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return InPlaceActivate(verb, site, parent, position);
    case OLEIVERB_HIDE:
      UIDeactivate();
      if (mWindow != nullptr) ShowWindow(mWindow, SW_HIDE);
      return S_OK;
    case OLEIVERB_DISCARDUNDOSTATE:
      return S_OK;
    case OLEIVERB_OPEN:
      return E_NOTIMPL;
    default:
      return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
  }
}

HRESULT ActiveXControl::InPlaceActivate(LONG verb, IOleClientSite* site, HWND parent,
                                        const RECT* position) {
  IOleClientSite* clientSite = mClientSite != nullptr ? mClientSite : site;
  if (clientSite == nullptr) return E_UNEXPECTED;
  if (!mInPlaceActive) {
    IOleInPlaceSite* inPlaceSite = nullptr;
    if (FAILED(clientSite->lpVtbl->QueryInterface(clientSite, IID_IOleInPlaceSite,
                                                  reinterpret_cast<void**>(&inPlaceSite))) ||
        inPlaceSite == nullptr)
      return E_NOINTERFACE;
    if (inPlaceSite->lpVtbl->CanInPlaceActivate(inPlaceSite) != S_OK) {
      inPlaceSite->lpVtbl->Release(inPlaceSite);
      return E_FAIL;
    }
    mInPlaceSite = inPlaceSite;
    mInPlaceActive = true;
    mInPlaceSite->lpVtbl->OnInPlaceActivate(mInPlaceSite);
  }

  HWND siteWindow = nullptr;
  if (FAILED(mInPlaceSite->lpVtbl->GetWindow(mInPlaceSite, &siteWindow)) || siteWindow == nullptr)
    siteWindow = parent;
  RECT place = position != nullptr ? *position : RECT{0, 0, 0, 0};
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  RECT sitePlace = {}, clip = {};
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof(frameInfo);
  if (SUCCEEDED(mInPlaceSite->lpVtbl->GetWindowContext(mInPlaceSite, &frame, &document,
                                                        &sitePlace, &clip, &frameInfo)))
    place = sitePlace;

  HRESULT result = S_OK;
  if (mWindow == nullptr) {
    result = CreateControlWindow(siteWindow, place);
  } else {
    SetWindowPos(mWindow, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(mWindow, SW_SHOW);
  }

  if (SUCCEEDED(result) && verb == OLEIVERB_UIACTIVATE && !mUIActive) {
    mUIActive = true;
    mInPlaceSite->lpVtbl->OnUIActivate(mInPlaceSite);
    if (mWindow != nullptr) SetFocus(mWindow);
    if (frame != nullptr)
      frame->lpVtbl->SetActiveObject(frame, &mInPlaceActiveObject.face, nullptr);
    if (document != nullptr)
      document->lpVtbl->SetActiveObject(document, &mInPlaceActiveObject.face, nullptr);
  }
  if (frame != nullptr) frame->lpVtbl->Release(frame);
  if (document != nullptr) document->lpVtbl->Release(document);
  return result;
}

HRESULT ActiveXControl::CreateControlWindow(HWND parent, const RECT& position) {
  if (parent == nullptr || !IsWindow(parent)) return E_FAIL;
  if (!EnsureWindowClass(mIdentity.windowClass)) return E_FAIL;
  mParent = parent;
  HWND window = CreateWindowExW(0, mIdentity.windowClass, L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                position.left, position.top, position.right - position.left,
                                position.bottom - position.top, parent, nullptr, ThisModule(),
                                this);
  if (window == nullptr) {
    mWindow = nullptr;
    return E_FAIL;
  }
  mWindow = window;
  return S_OK;
}

HRESULT ActiveXControl::InPlaceDeactivate() {
  if (!mInPlaceActive) return S_OK;
  UIDeactivate();
  mInPlaceActive = false;
  if (mWindow != nullptr) DestroyWindow(mWindow);
  mWindow = nullptr;
  if (mInPlaceSite != nullptr) {
    mInPlaceSite->lpVtbl->OnInPlaceDeactivate(mInPlaceSite);
    mInPlaceSite->lpVtbl->Release(mInPlaceSite);
    mInPlaceSite = nullptr;
  }
  return S_OK;
}

HRESULT ActiveXControl::UIDeactivate() {
  if (!mUIActive) return S_OK;
  mUIActive = false;
  if (mInPlaceSite != nullptr) mInPlaceSite->lpVtbl->OnUIDeactivate(mInPlaceSite, FALSE);
  return S_OK;
}

HRESULT ActiveXControl::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = mWindow;
  return mWindow != nullptr ? S_OK : E_FAIL;
}

HRESULT ActiveXControl::SetObjectRects(const RECT* position, const RECT*) {
  if (position == nullptr) return E_POINTER;
  if (mWindow != nullptr)
    SetWindowPos(mWindow, nullptr, position->left, position->top,
                 position->right - position->left, position->bottom - position->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return S_OK;
}

HRESULT ActiveXControl::SetExtent(DWORD aspect, const SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (size == nullptr) return E_POINTER;
  mExtent = *size;
  return S_OK;
}

HRESULT ActiveXControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (size == nullptr) return E_POINTER;
  *size = mExtent;
  return S_OK;
}

HRESULT ActiveXControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (connection == nullptr) return E_POINTER;
  *connection = 0;
  if (mOleAdviseHolder == nullptr && FAILED(CreateOleAdviseHolder(&mOleAdviseHolder)))
    return E_OUTOFMEMORY;
  return mOleAdviseHolder->lpVtbl->Advise(mOleAdviseHolder, sink, connection);
}

HRESULT ActiveXControl::Unadvise(DWORD connection) {
  if (mOleAdviseHolder == nullptr) return OLE_E_NOCONNECTION;
  return mOleAdviseHolder->lpVtbl->Unadvise(mOleAdviseHolder, connection);
}

HRESULT ActiveXControl::EnumAdvise(IEnumSTATDATA** advisers) {
  if (advisers == nullptr) return E_POINTER;
  *advisers = nullptr;
  if (mOleAdviseHolder == nullptr) return E_FAIL;
  return mOleAdviseHolder->lpVtbl->EnumAdvise(mOleAdviseHolder, advisers);
}

HRESULT ActiveXControl::GetMiscStatus(DWORD, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = mIdentity.miscStatus;
  return S_OK;
}

HRESULT ActiveXControl::GetUserClassID(CLSID* clsid) {
  if (clsid == nullptr) return E_POINTER;
  *clsid = *mIdentity.clsid;
  return S_OK;
}

HRESULT ActiveXControl::Draw(DWORD aspect, HDC dc, const RECTL* bounds) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (dc == nullptr) return E_INVALIDARG;
  RECT area = {};
  if (bounds != nullptr) {
    area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
  } else if (mWindow == nullptr || !GetClientRect(mWindow, &area)) {
    return E_INVALIDARG;
  }
  DrawPicture(dc, area);
  return S_OK;
}

void ActiveXControl::DrawPicture(HDC dc, const RECT& bounds) {
  FillRect(dc, &bounds, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

HRESULT ActiveXControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  if (sink != nullptr) sink->lpVtbl->AddRef(sink);
  if (mViewSink != nullptr) mViewSink->lpVtbl->Release(mViewSink);
  mViewSink = sink;
  mViewAdviseAspects = aspects;
  mViewAdviseFlags = flags;
  return S_OK;
}

HRESULT ActiveXControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects != nullptr) *aspects = mViewAdviseAspects;
  if (flags != nullptr) *flags = mViewAdviseFlags;
  if (sink != nullptr) {
    *sink = mViewSink;
    if (mViewSink != nullptr) mViewSink->lpVtbl->AddRef(mViewSink);
  }
  return S_OK;
}

HRESULT ActiveXControl::QuickActivate(QACONTAINER* container, QACONTROL* control) {
  if (container == nullptr || control == nullptr) return E_POINTER;
  if (control->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
  if (container->cbSize >= offsetof(QACONTAINER, pAdviseSink) + sizeof(void*)) {
    SetClientSite(container->pClientSite);
    if (container->pAdviseSink != nullptr)
      SetAdvise(DVASPECT_CONTENT, 0, reinterpret_cast<IAdviseSink*>(container->pAdviseSink));
  }
  const ULONG size = control->cbSize;
  *control = QACONTROL{};
  control->cbSize = size;
  control->dwMiscStatus = mIdentity.miscStatus;
  control->dwViewStatus = VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND;
  return S_OK;
}

HRESULT ActiveXControl::GetDispatchTypeInfo(ITypeInfo** info) {
  return TypeInfoOf(mIdentity.dispatchIid, info);
}

HRESULT ActiveXControl::GetClassTypeInfo(ITypeInfo** info) {
  return TypeInfoOf(mIdentity.clsid, info);
}

LRESULT ActiveXControl::OnWindowMessage(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  if (message == WM_NCCREATE) mWindow = window;
  bool handled = false;
  const LRESULT result = HandleControlMessage(window, message, wParam, lParam, &handled);
  if (message == WM_NCDESTROY && mWindow == window) mWindow = nullptr;
  if (handled) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace activex
