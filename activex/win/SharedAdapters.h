// The entries every interface table of the control shares (IUnknown, IOleWindow), written once
// for any interface type.
#pragma once

#include "activex/win/ActiveXControl.h"

namespace activex {

template <class Face>
HRESULT STDMETHODCALLTYPE QueryInterfaceOf(Face* face, REFIID iid, void** out) {
  return Guarded([&] { return OwnerOf(face)->QueryInterface(iid, out); });
}
template <class Face>
ULONG STDMETHODCALLTYPE AddRefOf(Face* face) {
  return OwnerOf(face)->AddRef();
}
template <class Face>
ULONG STDMETHODCALLTYPE ReleaseOf(Face* face) {
  return OwnerOf(face)->Release();
}
template <class Face>
HRESULT STDMETHODCALLTYPE GetWindowOf(Face* face, HWND* window) {
  return Guarded([&] { return OwnerOf(face)->GetWindow(window); });
}
template <class Face>
HRESULT STDMETHODCALLTYPE ContextSensitiveHelpOf(Face*, BOOL) {
  return E_NOTIMPL;
}

}  // namespace activex
