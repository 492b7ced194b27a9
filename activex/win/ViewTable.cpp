// IViewObjectEx of the control: drawing into a container's device context, the extent and an
// opaque, rectangular view.
#include "activex/win/SharedAdapters.h"

namespace activex {
namespace {

using Face = IViewObjectEx;

HRESULT STDMETHODCALLTYPE Draw(Face* face, DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC,
                               HDC dc, LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                               ULONG_PTR) {
  return Guarded([&] { return OwnerOf(face)->Draw(aspect, dc, bounds); });
}
HRESULT STDMETHODCALLTYPE GetColorSet(Face*, DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                      LOGPALETTE** colours) {
  if (colours != nullptr) *colours = nullptr;
  return S_FALSE;
}
HRESULT STDMETHODCALLTYPE Freeze(Face*, DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE Unfreeze(Face*, DWORD) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE SetAdvise(Face* face, DWORD aspects, DWORD flags, IAdviseSink* sink) {
  return Guarded([&] { return OwnerOf(face)->SetAdvise(aspects, flags, sink); });
}
HRESULT STDMETHODCALLTYPE GetAdvise(Face* face, DWORD* aspects, DWORD* flags,
                                    IAdviseSink** sink) {
  return Guarded([&] { return OwnerOf(face)->GetAdvise(aspects, flags, sink); });
}
HRESULT STDMETHODCALLTYPE GetExtent(Face* face, DWORD aspect, LONG, DVTARGETDEVICE*,
                                    LPSIZEL size) {
  return Guarded([&] { return OwnerOf(face)->GetExtent(aspect, size); });
}
HRESULT STDMETHODCALLTYPE GetRect(Face* face, DWORD aspect, LPRECTL rect) {
  return Guarded([&]() -> HRESULT {
    if (rect == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    RECT client = {};
    HWND window = OwnerOf(face)->ControlWindow();
    if (window == nullptr || !GetClientRect(window, &client)) return E_FAIL;
    *rect = {client.left, client.top, client.right, client.bottom};
    return S_OK;
  });
}
HRESULT STDMETHODCALLTYPE GetViewStatus(Face*, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE QueryHitPoint(Face*, DWORD aspect, LPCRECT bounds, POINT point, LONG,
                                        DWORD* hit) {
  if (bounds == nullptr || hit == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *hit = PtInRect(bounds, point) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE QueryHitRect(Face*, DWORD aspect, LPCRECT bounds, LPCRECT area, LONG,
                                       DWORD* hit) {
  if (bounds == nullptr || area == nullptr || hit == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  RECT overlap;
  *hit = IntersectRect(&overlap, bounds, area) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetNaturalExtent(Face*, DWORD, LONG, DVTARGETDEVICE*, HDC,
                                           DVEXTENTINFO*, LPSIZEL) {
  return E_NOTIMPL;
}

}  // namespace

const IViewObjectExVtbl kViewObjectTable = {
    .QueryInterface = QueryInterfaceOf<Face>,
    .AddRef = AddRefOf<Face>,
    .Release = ReleaseOf<Face>,
    .Draw = Draw,
    .GetColorSet = GetColorSet,
    .Freeze = Freeze,
    .Unfreeze = Unfreeze,
    .SetAdvise = SetAdvise,
    .GetAdvise = GetAdvise,
    .GetExtent = GetExtent,
    .GetRect = GetRect,
    .GetViewStatus = GetViewStatus,
    .QueryHitPoint = QueryHitPoint,
    .QueryHitRect = QueryHitRect,
    .GetNaturalExtent = GetNaturalExtent,
};

}  // namespace activex
