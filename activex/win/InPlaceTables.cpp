// IOleInPlaceObject and IOleInPlaceActiveObject of the control.
#include "activex/win/SharedAdapters.h"

namespace activex {
namespace {

HRESULT STDMETHODCALLTYPE InPlaceDeactivate(IOleInPlaceObject* face) {
  return Guarded([&] { return OwnerOf(face)->InPlaceDeactivate(); });
}
HRESULT STDMETHODCALLTYPE UIDeactivate(IOleInPlaceObject* face) {
  return Guarded([&] { return OwnerOf(face)->UIDeactivate(); });
}
HRESULT STDMETHODCALLTYPE SetObjectRects(IOleInPlaceObject* face, LPCRECT position,
                                         LPCRECT clip) {
  return Guarded([&] { return OwnerOf(face)->SetObjectRects(position, clip); });
}
HRESULT STDMETHODCALLTYPE ReactivateAndUndo(IOleInPlaceObject*) { return E_NOTIMPL; }

// Keys are the control window's own: nothing is an accelerator.
HRESULT STDMETHODCALLTYPE TranslateAccelerator(IOleInPlaceActiveObject*, LPMSG) {
  return S_FALSE;
}
HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(IOleInPlaceActiveObject*, BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE OnDocWindowActivate(IOleInPlaceActiveObject*, BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE ResizeBorder(IOleInPlaceActiveObject*, LPCRECT, IOleInPlaceUIWindow*,
                                       BOOL) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE EnableModeless(IOleInPlaceActiveObject*, BOOL) { return S_OK; }

}  // namespace

const IOleInPlaceObjectVtbl kInPlaceObjectTable = {
    .QueryInterface = QueryInterfaceOf<IOleInPlaceObject>,
    .AddRef = AddRefOf<IOleInPlaceObject>,
    .Release = ReleaseOf<IOleInPlaceObject>,
    .GetWindow = GetWindowOf<IOleInPlaceObject>,
    .ContextSensitiveHelp = ContextSensitiveHelpOf<IOleInPlaceObject>,
    .InPlaceDeactivate = InPlaceDeactivate,
    .UIDeactivate = UIDeactivate,
    .SetObjectRects = SetObjectRects,
    .ReactivateAndUndo = ReactivateAndUndo,
};

const IOleInPlaceActiveObjectVtbl kInPlaceActiveObjectTable = {
    .QueryInterface = QueryInterfaceOf<IOleInPlaceActiveObject>,
    .AddRef = AddRefOf<IOleInPlaceActiveObject>,
    .Release = ReleaseOf<IOleInPlaceActiveObject>,
    .GetWindow = GetWindowOf<IOleInPlaceActiveObject>,
    .ContextSensitiveHelp = ContextSensitiveHelpOf<IOleInPlaceActiveObject>,
    .TranslateAccelerator = TranslateAccelerator,
    .OnFrameWindowActivate = OnFrameWindowActivate,
    .OnDocWindowActivate = OnDocWindowActivate,
    .ResizeBorder = ResizeBorder,
    .EnableModeless = EnableModeless,
};

}  // namespace activex
