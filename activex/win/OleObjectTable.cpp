// IOleObject of the control: a thin adapter over ActiveXControl.
#include "activex/win/SharedAdapters.h"

namespace activex {
namespace {

using Face = IOleObject;

HRESULT STDMETHODCALLTYPE SetClientSite(Face* face, IOleClientSite* site) {
  return Guarded([&] { return OwnerOf(face)->SetClientSite(site); });
}
HRESULT STDMETHODCALLTYPE GetClientSite(Face* face, IOleClientSite** site) {
  return Guarded([&] { return OwnerOf(face)->GetClientSite(site); });
}
HRESULT STDMETHODCALLTYPE SetHostNames(Face*, LPCOLESTR, LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE Close(Face* face, DWORD saveOption) {
  return Guarded([&] { return OwnerOf(face)->Close(saveOption); });
}
HRESULT STDMETHODCALLTYPE SetMoniker(Face*, DWORD, IMoniker*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetMoniker(Face*, DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE InitFromData(Face*, IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetClipboardData(Face*, DWORD, IDataObject** data) {
  if (data != nullptr) *data = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE DoVerb(Face* face, LONG verb, LPMSG, IOleClientSite* site, LONG,
                                 HWND parent, LPCRECT position) {
  return Guarded([&] { return OwnerOf(face)->DoVerb(verb, site, parent, position); });
}
HRESULT STDMETHODCALLTYPE EnumVerbs(Face* face, IEnumOLEVERB** verbs) {
  return Guarded([&]() -> HRESULT {
    if (verbs == nullptr) return E_POINTER;
    CLSID clsid;
    OwnerOf(face)->GetUserClassID(&clsid);
    return OleRegEnumVerbs(clsid, verbs);
  });
}
HRESULT STDMETHODCALLTYPE Update(Face*) { return S_OK; }
HRESULT STDMETHODCALLTYPE IsUpToDate(Face*) { return S_OK; }
HRESULT STDMETHODCALLTYPE GetUserClassID(Face* face, CLSID* clsid) {
  return Guarded([&] { return OwnerOf(face)->GetUserClassID(clsid); });
}
HRESULT STDMETHODCALLTYPE GetUserType(Face* face, DWORD form, LPOLESTR* name) {
  return Guarded([&]() -> HRESULT {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    const wchar_t* text = OwnerOf(face)->Identity().userTypeName;
    if (text == nullptr) return OleRegGetUserType(*OwnerOf(face)->Identity().clsid, form, name);
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (*name == nullptr) return E_OUTOFMEMORY;
    memcpy(*name, text, bytes);
    return S_OK;
  });
}
HRESULT STDMETHODCALLTYPE SetExtent(Face* face, DWORD aspect, SIZEL* size) {
  return Guarded([&] { return OwnerOf(face)->SetExtent(aspect, size); });
}
HRESULT STDMETHODCALLTYPE GetExtent(Face* face, DWORD aspect, SIZEL* size) {
  return Guarded([&] { return OwnerOf(face)->GetExtent(aspect, size); });
}
HRESULT STDMETHODCALLTYPE Advise(Face* face, IAdviseSink* sink, DWORD* connection) {
  return Guarded([&] { return OwnerOf(face)->Advise(sink, connection); });
}
HRESULT STDMETHODCALLTYPE Unadvise(Face* face, DWORD connection) {
  return Guarded([&] { return OwnerOf(face)->Unadvise(connection); });
}
HRESULT STDMETHODCALLTYPE EnumAdvise(Face* face, IEnumSTATDATA** advisers) {
  return Guarded([&] { return OwnerOf(face)->EnumAdvise(advisers); });
}
HRESULT STDMETHODCALLTYPE GetMiscStatus(Face* face, DWORD aspect, DWORD* status) {
  return Guarded([&] { return OwnerOf(face)->GetMiscStatus(aspect, status); });
}
HRESULT STDMETHODCALLTYPE SetColorScheme(Face*, LOGPALETTE*) { return E_NOTIMPL; }

}  // namespace

const IOleObjectVtbl kOleObjectTable = {
    .QueryInterface = QueryInterfaceOf<Face>,
    .AddRef = AddRefOf<Face>,
    .Release = ReleaseOf<Face>,
    .SetClientSite = SetClientSite,
    .GetClientSite = GetClientSite,
    .SetHostNames = SetHostNames,
    .Close = Close,
    .SetMoniker = SetMoniker,
    .GetMoniker = GetMoniker,
    .InitFromData = InitFromData,
    .GetClipboardData = GetClipboardData,
    .DoVerb = DoVerb,
    .EnumVerbs = EnumVerbs,
    .Update = Update,
    .IsUpToDate = IsUpToDate,
    .GetUserClassID = GetUserClassID,
    .GetUserType = GetUserType,
    .SetExtent = SetExtent,
    .GetExtent = GetExtent,
    .Advise = Advise,
    .Unadvise = Unadvise,
    .EnumAdvise = EnumAdvise,
    .GetMiscStatus = GetMiscStatus,
    .SetColorScheme = SetColorScheme,
};

}  // namespace activex
