#include "players/jriver/Automation.h"

#include <cstddef>
#include <string>
#include <utility>

#include "NV_JMC/JmcIdentity.h"
#include "players/jriver/JRiverStandInControl.h"
#include "players/shared/StandInJournal.h"
#include "refengine/JournalLine.h"

namespace jriver_standin {
namespace {

using refengine::JournalLine;

// The stand-in's own class for the media center's program identifier.
// {7D1F9C60-2B4E-4C8A-9F13-5E2D8B6A4C01}
const CLSID kStandInClassId = {0x7D1F9C60, 0x2B4E, 0x4C8A, {0x9F, 0x13, 0x5E, 0x2D, 0x8B, 0x6A, 0x4C, 0x01}};

struct Automation {
  IDispatch face;  // first
  IRunnableObject runnable;
  AutomationState* state;
};

AutomationState* StateOf(IDispatch* face) { return reinterpret_cast<Automation*>(face)->state; }

IID AutomationIid() {
  IID iid = {};
  IIDFromString(jmc::kAutomationIidText, &iid);
  return iid;
}

HRESULT STDMETHODCALLTYPE QueryInterface(IDispatch* face, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IRunnableObject)) {
    *out = &reinterpret_cast<Automation*>(face)->runnable;
  } else if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
             IsEqualIID(iid, AutomationIid())) {
    *out = face;
  } else {
    return E_NOINTERFACE;
  }
  InterlockedIncrement(&StateOf(face)->references);
  return S_OK;
}
ULONG STDMETHODCALLTYPE AddRef(IDispatch* face) {
  return ULONG(InterlockedIncrement(&StateOf(face)->references));
}
ULONG STDMETHODCALLTYPE Release(IDispatch* face) {
  return ULONG(InterlockedDecrement(&StateOf(face)->references));
}
HRESULT STDMETHODCALLTYPE GetTypeInfoCount(IDispatch*, UINT* count) {
  if (count != nullptr) *count = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE GetTypeInfo(IDispatch*, UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE GetIDsOfNames(IDispatch*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  standin::WriteUnexpected("GetIDsOfNames");
  return DISP_E_UNKNOWNNAME;
}

std::string Utf8Of(const VARIANT& value) {
  if (value.vt != VT_BSTR || value.bstrVal == nullptr) return "<not a text>";
  return refengine::WideToUtf8(reinterpret_cast<const char16_t*>(value.bstrVal), 1024);
}

uintptr_t ObjectFor(AutomationState* state, const std::string& name, const std::string& argument) {
  if (name == "IVisData" && argument == "-1")
    return reinterpret_cast<uintptr_t>(
        NewVisData(state->content, std::exchange(state->pendingChanges, 0), &standin::WriteJournal,
                   &state->visDestroyed));
  if (name == "IVisRedrawHelper" && argument.empty())
    return reinterpret_cast<uintptr_t>(NewRedrawHelper(&standin::WriteJournal, &state->redrawDestroyed));
  standin::WriteUnexpected(("method 35 for " + name + " with " + argument).c_str());
  return 0;
}

HRESULT STDMETHODCALLTYPE Invoke(IDispatch* face, DISPID member, REFIID, LCID, WORD flags,
                                 DISPPARAMS* parameters, VARIANT* result, EXCEPINFO*, UINT*) {
  AutomationState* state = StateOf(face);
  if (member != jmc::kObjectMethod || (flags & DISPATCH_METHOD) == 0 || parameters == nullptr ||
      parameters->cArgs != 2) {
    standin::WriteUnexpected("Invoke of another member or with other arguments");
    return DISP_E_MEMBERNOTFOUND;
  }
  // Arguments arrive in reverse order.
  const std::string name = Utf8Of(parameters->rgvarg[1]);
  const std::string argument = Utf8Of(parameters->rgvarg[0]);
  JournalLine line(call::kMethod35);
  line.Text("name", name).Text("argument", argument);
  if (state->fail35) {
    standin::WriteJournal(line.Number("answer", -1));
    return E_FAIL;
  }
  const uintptr_t address = state->zero35 ? 0 : ObjectFor(state, name, argument);
  standin::WriteJournal(line.Address("answer", reinterpret_cast<void*>(address)));
  if (result != nullptr) {
    VariantInit(result);
    result->vt = VT_I8;
    result->llVal = LONGLONG(address);
  }
  return S_OK;
}

const IDispatchVtbl kAutomationTable = {
    .QueryInterface = QueryInterface,
    .AddRef = AddRef,
    .Release = Release,
    .GetTypeInfoCount = GetTypeInfoCount,
    .GetTypeInfo = GetTypeInfo,
    .GetIDsOfNames = GetIDsOfNames,
    .Invoke = Invoke,
};

// The automation object as a server object that OleRun starts.
IDispatch* DispatchOf(IRunnableObject* runnable) {
  return &reinterpret_cast<Automation*>(reinterpret_cast<char*>(runnable) -
                                        offsetof(Automation, runnable))
              ->face;
}
HRESULT STDMETHODCALLTYPE RunnableQueryInterface(IRunnableObject* self, REFIID iid, void** out) {
  return QueryInterface(DispatchOf(self), iid, out);
}
ULONG STDMETHODCALLTYPE RunnableAddRef(IRunnableObject* self) {
  return AddRef(DispatchOf(self));
}
ULONG STDMETHODCALLTYPE RunnableRelease(IRunnableObject* self) {
  return Release(DispatchOf(self));
}
HRESULT STDMETHODCALLTYPE GetRunningClass(IRunnableObject*, CLSID* clsid) {
  if (clsid == nullptr) return E_POINTER;
  *clsid = kStandInClassId;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE Run(IRunnableObject* self, IBindCtx*) {
  StateOf(DispatchOf(self))->running = true;
  standin::WriteJournal(JournalLine(call::kServerRun));
  return S_OK;
}
BOOL STDMETHODCALLTYPE IsRunning(IRunnableObject* self) {
  return StateOf(DispatchOf(self))->running ? TRUE : FALSE;
}
HRESULT STDMETHODCALLTYPE LockRunning(IRunnableObject*, BOOL, BOOL) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE SetContainedObject(IRunnableObject*, BOOL) {
  return S_OK;
}

const IRunnableObjectVtbl kRunnableTable = {
    .QueryInterface = RunnableQueryInterface,
    .AddRef = RunnableAddRef,
    .Release = RunnableRelease,
    .GetRunningClass = GetRunningClass,
    .Run = Run,
    .IsRunning = IsRunning,
    .LockRunning = LockRunning,
    .SetContainedObject = SetContainedObject,
};

// The class object that makes the automation object for CoCreateInstance.
struct ServerFactory {
  IClassFactory face;  // first
  IDispatch* automation;
};
ServerFactory gFactory = {};

HRESULT STDMETHODCALLTYPE FactoryQueryInterface(IClassFactory* self, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
  *out = self;
  return S_OK;
}
// The factory is static and lives as long as the program.
ULONG STDMETHODCALLTYPE FactoryAddRef(IClassFactory*) {
  return 2;
}
ULONG STDMETHODCALLTYPE FactoryRelease(IClassFactory*) {
  return 1;
}
HRESULT STDMETHODCALLTYPE CreateInstance(IClassFactory*, IUnknown* outer, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  wchar_t iidText[64] = {};
  StringFromGUID2(iid, iidText, 64);
  standin::WriteJournal(
      JournalLine(call::kServerCreate)
          .Text("iid", refengine::WideToUtf8(reinterpret_cast<const char16_t*>(iidText), 64))
          .Number("outer", outer != nullptr ? 1 : 0));
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return QueryInterface(gFactory.automation, iid, out);
}
HRESULT STDMETHODCALLTYPE LockServer(IClassFactory*, BOOL) {
  return S_OK;
}

const IClassFactoryVtbl kFactoryTable = {
    .QueryInterface = FactoryQueryInterface,
    .AddRef = FactoryAddRef,
    .Release = FactoryRelease,
    .CreateInstance = CreateInstance,
    .LockServer = LockServer,
};

const wchar_t kProgIdKey[] = L"Software\\Classes\\MediaJukebox Application\\CLSID";

}  // namespace

IDispatch* AutomationObject(AutomationState* state) {
  static Automation automation = {{&kAutomationTable}, {&kRunnableTable}, nullptr};
  automation.state = state;
  return &automation.face;
}

namespace {

bool WriteProgIdKey() {
  wchar_t clsid[64];
  StringFromGUID2(kStandInClassId, clsid, 64);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProgIdKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid),
                 DWORD((wcslen(clsid) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return true;
}

}  // namespace

bool ServeAutomation(IDispatch* automation, DWORD* cookie) {
  if (!WriteProgIdKey()) return false;
  return SUCCEEDED(RegisterActiveObject(reinterpret_cast<IUnknown*>(automation), kStandInClassId,
                                        ACTIVEOBJECT_STRONG, cookie));
}

bool ServeClass(IDispatch* automation, DWORD* cookie) {
  if (!WriteProgIdKey()) return false;
  gFactory = {{&kFactoryTable}, automation};
  return SUCCEEDED(CoRegisterClassObject(kStandInClassId, reinterpret_cast<IUnknown*>(&gFactory.face),
                                         CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, cookie));
}

void RevokeClass(DWORD cookie) {
  if (cookie != 0) CoRevokeClassObject(cookie);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\MediaJukebox Application");
}

void RevokeAutomation(DWORD cookie) {
  if (cookie != 0) RevokeActiveObject(cookie, nullptr);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\MediaJukebox Application");
}

}  // namespace jriver_standin
