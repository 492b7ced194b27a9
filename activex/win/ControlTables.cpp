// The control's smaller interfaces: IOleControl, IPersistStreamInit (no properties to keep),
// IQuickActivate, ISpecifyPropertyPages (none), IProvideClassInfo2 and the dual interface
// served from the type library.
#include "activex/win/SharedAdapters.h"

namespace activex {
namespace {

// IOleControl.
HRESULT STDMETHODCALLTYPE GetControlInfo(IOleControl*, CONTROLINFO* info) {
  if (info == nullptr) return E_POINTER;
  const ULONG size = info->cb;
  *info = CONTROLINFO{};
  info->cb = size;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE OnMnemonic(IOleControl*, MSG*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(IOleControl*, DISPID) { return S_OK; }
HRESULT STDMETHODCALLTYPE FreezeEvents(IOleControl*, BOOL) { return S_OK; }

// IPersistStreamInit.
HRESULT STDMETHODCALLTYPE GetClassID(IPersistStreamInit* face, CLSID* clsid) {
  return Guarded([&] { return OwnerOf(face)->GetUserClassID(clsid); });
}
HRESULT STDMETHODCALLTYPE IsDirty(IPersistStreamInit*) { return S_FALSE; }
HRESULT STDMETHODCALLTYPE Load(IPersistStreamInit*, LPSTREAM stream) {
  return stream != nullptr ? S_OK : E_POINTER;
}
HRESULT STDMETHODCALLTYPE Save(IPersistStreamInit*, LPSTREAM stream, BOOL) {
  return stream != nullptr ? S_OK : E_POINTER;
}
HRESULT STDMETHODCALLTYPE GetSizeMax(IPersistStreamInit*, ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE InitNew(IPersistStreamInit*) { return S_OK; }

// IQuickActivate.
HRESULT STDMETHODCALLTYPE QuickActivate(IQuickActivate* face, QACONTAINER* container,
                                        QACONTROL* control) {
  return Guarded([&] { return OwnerOf(face)->QuickActivate(container, control); });
}
HRESULT STDMETHODCALLTYPE SetContentExtent(IQuickActivate* face, LPSIZEL size) {
  return Guarded([&] { return OwnerOf(face)->SetExtent(DVASPECT_CONTENT, size); });
}
HRESULT STDMETHODCALLTYPE GetContentExtent(IQuickActivate* face, LPSIZEL size) {
  return Guarded([&] { return OwnerOf(face)->GetExtent(DVASPECT_CONTENT, size); });
}

// ISpecifyPropertyPages.
HRESULT STDMETHODCALLTYPE GetPages(ISpecifyPropertyPages*, CAUUID* pages) {
  if (pages == nullptr) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  return S_OK;
}

// IProvideClassInfo2.
HRESULT STDMETHODCALLTYPE GetClassTypeInfo(IProvideClassInfo2* face, ITypeInfo** info) {
  return Guarded([&] { return OwnerOf(face)->GetClassTypeInfo(info); });
}
HRESULT STDMETHODCALLTYPE GetGUID(IProvideClassInfo2*, DWORD kind, GUID* guid) {
  if (guid == nullptr) return E_POINTER;
  *guid = GUID_NULL;
  // The control has no outgoing interface.
  return kind == GUIDKIND_DEFAULT_SOURCE_DISP_IID ? E_NOTIMPL : E_INVALIDARG;
}

// The dual interface.
HRESULT STDMETHODCALLTYPE GetTypeInfoCount(IDispatch*, UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetTypeInfo(IDispatch* face, UINT index, LCID, ITypeInfo** info) {
  return Guarded([&]() -> HRESULT {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return OwnerOf(face)->GetDispatchTypeInfo(info);
  });
}
HRESULT STDMETHODCALLTYPE GetIDsOfNames(IDispatch* face, REFIID, LPOLESTR* names, UINT count,
                                        LCID, DISPID* ids) {
  return Guarded([&]() -> HRESULT {
    ITypeInfo* info = nullptr;
    const HRESULT found = OwnerOf(face)->GetDispatchTypeInfo(&info);
    if (FAILED(found)) return found;
    const HRESULT result = DispGetIDsOfNames(info, names, count, ids);
    info->lpVtbl->Release(info);
    return result;
  });
}
HRESULT STDMETHODCALLTYPE Invoke(IDispatch* face, DISPID member, REFIID, LCID, WORD flags,
                                 DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                 UINT* badArgument) {
  return Guarded([&]() -> HRESULT {
    ITypeInfo* info = nullptr;
    const HRESULT found = OwnerOf(face)->GetDispatchTypeInfo(&info);
    if (FAILED(found)) return DISP_E_MEMBERNOTFOUND;
    const HRESULT invoked =
        DispInvoke(face, info, member, flags, parameters, result, exception, badArgument);
    info->lpVtbl->Release(info);
    return invoked;
  });
}

}  // namespace

const IOleControlVtbl kOleControlTable = {
    .QueryInterface = QueryInterfaceOf<IOleControl>,
    .AddRef = AddRefOf<IOleControl>,
    .Release = ReleaseOf<IOleControl>,
    .GetControlInfo = GetControlInfo,
    .OnMnemonic = OnMnemonic,
    .OnAmbientPropertyChange = OnAmbientPropertyChange,
    .FreezeEvents = FreezeEvents,
};

const IPersistStreamInitVtbl kPersistStreamTable = {
    .QueryInterface = QueryInterfaceOf<IPersistStreamInit>,
    .AddRef = AddRefOf<IPersistStreamInit>,
    .Release = ReleaseOf<IPersistStreamInit>,
    .GetClassID = GetClassID,
    .IsDirty = IsDirty,
    .Load = Load,
    .Save = Save,
    .GetSizeMax = GetSizeMax,
    .InitNew = InitNew,
};

const IQuickActivateVtbl kQuickActivateTable = {
    .QueryInterface = QueryInterfaceOf<IQuickActivate>,
    .AddRef = AddRefOf<IQuickActivate>,
    .Release = ReleaseOf<IQuickActivate>,
    .QuickActivate = QuickActivate,
    .SetContentExtent = SetContentExtent,
    .GetContentExtent = GetContentExtent,
};

const ISpecifyPropertyPagesVtbl kPropertyPagesTable = {
    .QueryInterface = QueryInterfaceOf<ISpecifyPropertyPages>,
    .AddRef = AddRefOf<ISpecifyPropertyPages>,
    .Release = ReleaseOf<ISpecifyPropertyPages>,
    .GetPages = GetPages,
};

const IProvideClassInfo2Vtbl kClassInfoTable = {
    .QueryInterface = QueryInterfaceOf<IProvideClassInfo2>,
    .AddRef = AddRefOf<IProvideClassInfo2>,
    .Release = ReleaseOf<IProvideClassInfo2>,
    .GetClassInfo = GetClassTypeInfo,
    .GetGUID = GetGUID,
};

const IDispatchVtbl kDispatchTable = {
    .QueryInterface = QueryInterfaceOf<IDispatch>,
    .AddRef = AddRefOf<IDispatch>,
    .Release = ReleaseOf<IDispatch>,
    .GetTypeInfoCount = GetTypeInfoCount,
    .GetTypeInfo = GetTypeInfo,
    .GetIDsOfNames = GetIDsOfNames,
    .Invoke = Invoke,
};

}  // namespace activex
