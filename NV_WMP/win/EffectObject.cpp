// The effect object's lifetime, its identity (QueryInterface, aggregation) and IDispatch, and
// the process-wide state its construction fills: the product name and the shared host.
#include "NV_WMP/win/EffectObject.h"

#include <oleauto.h>

#include <cstddef>
#include <new>

#include "NV_WMP/HostProcess.h"
#include "NV_WMP/win/EffectIdentity.h"
#include "NV_WMP/win/EffectTypeInfo.h"
#include "NV_WMP/win/ModuleLock.h"
#include "NV_WMP/win/ProductName.h"
#include "NV_WMP/win/WmpVisualHost.h"
#include "utility/TextFunctions.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/host/HostDescriptors.h"

namespace wmp {

namespace {

constexpr int32_t kPlayerSettleFrames = 3;
constexpr int32_t kMediaCenterSettleFrames = 20;
constexpr DWORD kExecutablePathCapacity = 512;

// The one host of the process; set by the first construction, cleared when its last reference
// goes (apartment threading: only the player's thread touches it).
WmpVisualHost* gSharedHost = nullptr;

HRESULT STDMETHODCALLTYPE InnerQueryInterface(IUnknown* self, REFIID iid, void** out);
ULONG STDMETHODCALLTYPE InnerAddRef(IUnknown* self);
ULONG STDMETHODCALLTYPE InnerRelease(IUnknown* self);
const IUnknownVtbl kInnerTable = {InnerQueryInterface, InnerAddRef, InnerRelease};

template <typename Interface>
EffectObject* Containing(Interface* self, size_t offset) {
  return reinterpret_cast<EffectObject*>(reinterpret_cast<char*>(self) - offset);
}

bool HostIsMediaCenter() {
  wchar_t wide[kExecutablePathCapacity] = {};
  const DWORD length = GetModuleFileNameW(nullptr, wide, kExecutablePathCapacity);
  if (length == 0 || length >= kExecutablePathCapacity) return false;
  char path[kExecutablePathCapacity * 3 + 1] = {};
  const int32_t bytes = Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide), int32_t(length),
                                    path, int32_t(sizeof(path) - 1));
  path[bytes < int32_t(sizeof(path)) ? bytes : int32_t(sizeof(path) - 1)] = 0;
  return IsMediaCenterExecutable(path);
}

WmpVisualHost* NewSharedHost(bool inMediaCenter, const char* descriptor) {
  auto* host = new WmpVisualHost(inMediaCenter);
  host->SetDescriptor(descriptor);
  auto* library = new EngineLibrary();
  library->SetName(UtilStr(ProductName()));
  host->AttachEngine(library);
  library->Release();  // the host holds the only reference
  return host;
}

void Construct(EffectObject* object, IUnknown* outer) {
  object->automation.lpVtbl = const_cast<IDispatchVtbl*>(&kAutomationTable);
  object->events.lpVtbl = const_cast<IWMPEventsVtbl*>(&kEventsTable);
  object->effects.table = &kEffectsTable;
  object->inner.lpVtbl = const_cast<IUnknownVtbl*>(&kInnerTable);
  object->references = 0;
  object->controlling = outer != nullptr ? outer : &object->inner;
  object->parent = nullptr;
  object->fullscreen = false;
  object->inMediaCenter = HostIsMediaCenter();
  object->settleFrames = object->inMediaCenter ? kMediaCenterSettleFrames : kPlayerSettleFrames;
  object->attachCountdown = 0;
  object->insetCountdown = 0;
  object->descriptor = object->inMediaCenter ? HostDescriptor::kWindowsMediaCenter
                                             : HostDescriptor::kWindowsMediaPlayer;
  if (gSharedHost != nullptr) {
    gSharedHost->AddRef();
  } else {
    gSharedHost = NewSharedHost(object->inMediaCenter, object->descriptor);
  }
  object->host = gSharedHost;
  object->core = nullptr;
  object->connection = nullptr;
  object->cookie = 0;
}

void Destruct(EffectObject* object) {
  if (object->host != nullptr) {
    WmpVisualHost* host = object->host;
    object->host = nullptr;
    if (host->Release() == 0 && gSharedHost == host) gSharedHost = nullptr;
  }
  // Disconnecting (Unadvise) is SetCore(null)'s task; here only the references go.
  if (object->connection != nullptr) IConnectionPoint_Release(object->connection);
  object->connection = nullptr;
  if (object->core != nullptr) IWMPCore_Release(object->core);
  object->core = nullptr;
}

// --- The non-delegating IUnknown ---

HRESULT STDMETHODCALLTYPE InnerQueryInterface(IUnknown* self, REFIID iid, void** out) {
  EffectObject* object = FromInner(self);
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *out = &object->inner;
  } else if (IsEqualIID(iid, kIidEffectAutomation) || IsEqualIID(iid, IID_IDispatch)) {
    *out = &object->automation;
  } else if (IsEqualIID(iid, IID_IWMPEvents)) {
    *out = &object->events;
  } else if (IsEqualIID(iid, kIidEffects) || IsEqualIID(iid, kIidEffects2)) {
    *out = &object->effects;
  } else {
    return E_NOINTERFACE;
  }
  InterlockedIncrement(&object->references);
  // An interface other than the inner one counts for the controlling object.
  if (*out != &object->inner && object->controlling != &object->inner) {
    InterlockedDecrement(&object->references);
    IUnknown_AddRef(object->controlling);
  }
  return S_OK;
}

ULONG STDMETHODCALLTYPE InnerAddRef(IUnknown* self) {
  return ULONG(InterlockedIncrement(&FromInner(self)->references));
}

ULONG STDMETHODCALLTYPE InnerRelease(IUnknown* self) {
  EffectObject* object = FromInner(self);
  const LONG left = InterlockedDecrement(&object->references);
  if (left == 0) {
    Destruct(object);
    delete object;
    UnlockModule();
  }
  return ULONG(left);
}

// --- IDispatch, served from the type library ---

HRESULT STDMETHODCALLTYPE AutomationQueryInterface(IDispatch* self, REFIID iid, void** out) {
  return ObjectQueryInterface(FromAutomation(self), iid, out);
}
ULONG STDMETHODCALLTYPE AutomationAddRef(IDispatch* self) {
  return ObjectAddRef(FromAutomation(self));
}
ULONG STDMETHODCALLTYPE AutomationRelease(IDispatch* self) {
  return ObjectRelease(FromAutomation(self));
}

HRESULT STDMETHODCALLTYPE GetTypeInfoCount(IDispatch*, UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GetTypeInfo(IDispatch*, UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return EffectTypeInfo(info);
}

HRESULT STDMETHODCALLTYPE GetIDsOfNames(IDispatch*, REFIID iid, LPOLESTR* names, UINT count,
                                        LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = nullptr;
  HRESULT hr = EffectTypeInfo(&info);
  if (FAILED(hr)) return hr;
  hr = DispGetIDsOfNames(info, names, count, ids);
  ITypeInfo_Release(info);
  return hr;
}

HRESULT STDMETHODCALLTYPE Invoke(IDispatch* self, DISPID id, REFIID iid, LCID, WORD flags,
                                 DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                 UINT* argumentError) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = nullptr;
  HRESULT hr = EffectTypeInfo(&info);
  if (FAILED(hr)) return hr;
  hr = DispInvoke(self, info, id, flags, parameters, result, exception, argumentError);
  ITypeInfo_Release(info);
  return hr;
}

}  // namespace

const IDispatchVtbl kAutomationTable = {AutomationQueryInterface, AutomationAddRef,
                                        AutomationRelease,        GetTypeInfoCount,
                                        GetTypeInfo,              GetIDsOfNames,
                                        Invoke};

EffectObject* FromAutomation(IDispatch* self) {
  return Containing(self, offsetof(EffectObject, automation));
}
EffectObject* FromEvents(IWMPEvents* self) {
  return Containing(self, offsetof(EffectObject, events));
}
EffectObject* FromEffects(Effects* self) {
  return Containing(self, offsetof(EffectObject, effects));
}
EffectObject* FromInner(IUnknown* self) {
  return Containing(self, offsetof(EffectObject, inner));
}

HRESULT ObjectQueryInterface(EffectObject* object, REFIID iid, void** out) {
  return IUnknown_QueryInterface(object->controlling, iid, out);
}
ULONG ObjectAddRef(EffectObject* object) {
  return IUnknown_AddRef(object->controlling);
}
ULONG ObjectRelease(EffectObject* object) {
  return IUnknown_Release(object->controlling);
}

WmpVisualHost* SharedHost() {
  return gSharedHost;
}

HRESULT CreateEffectObject(IUnknown* outer, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (outer != nullptr && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  EffectObject* object = new (std::nothrow) EffectObject();
  if (object == nullptr) return E_OUTOFMEMORY;
  LockModule();
  FillProductName();
  Construct(object, outer);
  // The query takes the first reference; a failing one ends the object at once.
  IUnknown_AddRef(&object->inner);
  const HRESULT hr = IUnknown_QueryInterface(&object->inner, iid, out);
  IUnknown_Release(&object->inner);
  return hr;
}

}  // namespace wmp
