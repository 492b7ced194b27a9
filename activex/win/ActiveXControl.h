// ActiveXControl: a small framework for one windowed ActiveX control in an in-process server.
//
// A container embeds the control through a handful of OLE interfaces: IOleObject (site, extent,
// verbs, close), IOleInPlaceObject and IOleInPlaceActiveObject (in-place activation, the
// control's rectangle), IOleControl, IViewObjectEx (drawing into the container's device
// context), IPersistStreamInit (the control keeps no properties), IQuickActivate,
// ISpecifyPropertyPages, IProvideClassInfo2 and a dual interface served from the module's type
// library. Each interface is an explicit table of __stdcall functions (activex/win/*Table.cpp)
// over the state kept here; no compiler-made vtable is ever handed to a container.
//
// The control is always windowed: in-place activation creates a child window of the window
// the site names, at the site's rectangle, and deactivation destroys it. A subclass supplies
// its class identity and the messages of that window (HandleControlMessage). Containers may
// call out of order (draw before activation, a second SetClientSite, Close twice): every such
// call gets an OLE result and changes nothing it should not.
//
// The object lives on its container's (single-threaded) apartment thread; its reference count
// is still changed with interlocked operations, and every live control holds the module lock.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>

namespace activex {

class ActiveXControl;

// One interface of the control: the table pointer a container sees, followed by the owner.
template <class Interface>
struct InterfaceSlot {
  Interface face;  // first: its address is the interface pointer
  ActiveXControl* owner;
};

// What a subclass says about itself.
struct ControlIdentity {
  const CLSID* clsid;
  const IID* dispatchIid;        // the control's dual interface
  const wchar_t* windowClass;    // the class of the control's window (registered on first use)
  DWORD miscStatus;              // OLEMISC_* bits
  const wchar_t* userTypeName;   // IOleObject::GetUserType
};

class ActiveXControl {
 public:
  // A new control with one reference (the caller's) and the module lock held.
  explicit ActiveXControl(const ControlIdentity& identity);
  ActiveXControl(const ActiveXControl&) = delete;
  ActiveXControl& operator=(const ActiveXControl&) = delete;

  // IUnknown, shared by every interface.
  HRESULT QueryInterface(REFIID iid, void** out);
  ULONG AddRef();
  ULONG Release();

  // IOleObject.
  HRESULT SetClientSite(IOleClientSite* site);
  HRESULT GetClientSite(IOleClientSite** site);
  HRESULT Close(DWORD saveOption);
  HRESULT DoVerb(LONG verb, IOleClientSite* site, HWND parent, const RECT* position);
  HRESULT SetExtent(DWORD aspect, const SIZEL* size);
  HRESULT GetExtent(DWORD aspect, SIZEL* size);
  HRESULT Advise(IAdviseSink* sink, DWORD* connection);
  HRESULT Unadvise(DWORD connection);
  HRESULT EnumAdvise(IEnumSTATDATA** advisers);
  HRESULT GetMiscStatus(DWORD aspect, DWORD* status);
  HRESULT GetUserClassID(CLSID* clsid);

  // IOleInPlaceObject and IOleInPlaceActiveObject.
  HRESULT GetWindow(HWND* window);
  HRESULT InPlaceDeactivate();
  HRESULT UIDeactivate();
  HRESULT SetObjectRects(const RECT* position, const RECT* clip);

  // IViewObject: fills the rectangle with the subclass's drawing (black by default).
  HRESULT Draw(DWORD aspect, HDC dc, const RECTL* bounds);
  HRESULT SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink);
  HRESULT GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink);

  // IQuickActivate.
  HRESULT QuickActivate(QACONTAINER* container, QACONTROL* control);

  // The dual interface: the type information of dispatchIid from the type library given by
  // SetTypeLibrary (none: the dispatch calls answer E_NOTIMPL / TYPE_E_ELEMENTNOTFOUND).
  HRESULT GetDispatchTypeInfo(ITypeInfo** info);
  HRESULT GetClassTypeInfo(ITypeInfo** info);

  // The module's type library: loaded once on first use from the module's TYPELIB resource 1.
  static void SetTypeLibraryModule(HMODULE module);

  const ControlIdentity& Identity() const { return mIdentity; }
  HWND ControlWindow() const { return mWindow; }
  HWND ParentWindow() const { return mParent; }
  bool InPlaceActive() const { return mInPlaceActive; }
  IOleClientSite* ClientSite() const { return mClientSite; }
  SIZEL Extent() const { return mExtent; }

  // The window procedure's way in: the message of the control's window.
  LRESULT OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // The default extent: 2 by 2 inches in HIMETRIC units.
  static constexpr LONG kDefaultExtent = 5080;

 protected:
  virtual ~ActiveXControl();

  // Messages of the control's window (its creation and destruction included). Answer with
  // *handled set to give the result; otherwise the default handling follows.
  virtual LRESULT HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       bool* handled) = 0;
  // Drawing when a container asks for a picture (IViewObject::Draw); black by default.
  virtual void DrawPicture(HDC dc, const RECT& bounds);

 private:
  HRESULT InPlaceActivate(LONG verb, IOleClientSite* site, HWND parent, const RECT* position);
  HRESULT CreateControlWindow(HWND parent, const RECT& position);
  void ReleaseSite();

  LONG mReferences = 1;
  ControlIdentity mIdentity;
  IOleClientSite* mClientSite = nullptr;
  IOleInPlaceSite* mInPlaceSite = nullptr;
  IOleAdviseHolder* mOleAdviseHolder = nullptr;
  IAdviseSink* mViewSink = nullptr;
  DWORD mViewAdviseAspects = 0;
  DWORD mViewAdviseFlags = 0;
  HWND mWindow = nullptr;
  HWND mParent = nullptr;
  bool mInPlaceActive = false;
  bool mUIActive = false;
  bool mClosing = false;
  SIZEL mExtent = {kDefaultExtent, kDefaultExtent};

 public:
  // The interfaces, each an explicit table (defined in the *Table.cpp files).
  InterfaceSlot<IOleObject> mOleObject;
  InterfaceSlot<IOleInPlaceObject> mInPlaceObject;
  InterfaceSlot<IOleInPlaceActiveObject> mInPlaceActiveObject;
  InterfaceSlot<IOleControl> mOleControl;
  InterfaceSlot<IViewObjectEx> mViewObject;
  InterfaceSlot<IPersistStreamInit> mPersistStream;
  InterfaceSlot<IQuickActivate> mQuickActivate;
  InterfaceSlot<ISpecifyPropertyPages> mPropertyPages;
  InterfaceSlot<IProvideClassInfo2> mClassInfo;
  InterfaceSlot<IDispatch> mDispatch;
};

// Finds the control back from one of its interface pointers.
template <class Interface>
ActiveXControl* OwnerOf(Interface* face) {
  return reinterpret_cast<InterfaceSlot<Interface>*>(face)->owner;
}

// The tables (one per interface), defined beside the adapters.
extern const IOleObjectVtbl kOleObjectTable;
extern const IOleInPlaceObjectVtbl kInPlaceObjectTable;
extern const IOleInPlaceActiveObjectVtbl kInPlaceActiveObjectTable;
extern const IOleControlVtbl kOleControlTable;
extern const IViewObjectExVtbl kViewObjectTable;
extern const IPersistStreamInitVtbl kPersistStreamTable;
extern const IQuickActivateVtbl kQuickActivateTable;
extern const ISpecifyPropertyPagesVtbl kPropertyPagesTable;
extern const IProvideClassInfo2Vtbl kClassInfoTable;
extern const IDispatchVtbl kDispatchTable;

// Runs a COM method's body: nothing thrown gets past it (E_UNEXPECTED instead).
template <class Body>
HRESULT Guarded(Body body) {
  try {
    return body();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace activex
