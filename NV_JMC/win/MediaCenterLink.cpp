#include "NV_JMC/win/MediaCenterLink.h"

#include "NV_JMC/JmcIdentity.h"

namespace jmc {
namespace {

IID AutomationIid() {
  IID iid = {};
  IIDFromString(kAutomationIidText, &iid);
  return iid;
}

IDispatch* QueryAutomation(IUnknown* object) {
  if (object == nullptr) return nullptr;
  const IID iid = AutomationIid();
  IDispatch* automation = nullptr;
  if (FAILED(object->lpVtbl->QueryInterface(object, iid, reinterpret_cast<void**>(&automation))))
    automation = nullptr;
  object->lpVtbl->Release(object);
  return automation;
}

IDispatch* RunningMediaCenter() {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(kAutomationProgId, &clsid))) return nullptr;
  IUnknown* running = nullptr;
  if (FAILED(GetActiveObject(clsid, nullptr, &running))) return nullptr;
  return QueryAutomation(running);
}

IDispatch* StartedMediaCenter() {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(kAutomationProgId, &clsid))) return nullptr;
  IUnknown* created = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown,
                              reinterpret_cast<void**>(&created))) ||
      created == nullptr)
    return nullptr;
  if (FAILED(OleRun(created))) {
    created->lpVtbl->Release(created);
    return nullptr;
  }
  return QueryAutomation(created);
}

}  // namespace

IDispatch* ConnectToMediaCenter() {
  IDispatch* automation = RunningMediaCenter();
  return automation != nullptr ? automation : StartedMediaCenter();
}

uintptr_t MediaCenterObject(IDispatch* automation, const wchar_t* name, const wchar_t* argument) {
  if (automation == nullptr) return 0;
  // Arguments go in reverse order.
  VARIANT arguments[2];
  VariantInit(&arguments[0]);
  VariantInit(&arguments[1]);
  arguments[1].vt = VT_BSTR;
  arguments[1].bstrVal = SysAllocString(name);
  arguments[0].vt = VT_BSTR;
  arguments[0].bstrVal = SysAllocString(argument);
  DISPPARAMS parameters = {arguments, nullptr, 2, 0};
  VARIANT answer;
  VariantInit(&answer);
  const HRESULT called = automation->lpVtbl->Invoke(automation, kObjectMethod, IID_NULL,
                                                    LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                                    &parameters, &answer, nullptr, nullptr);
  VariantClear(&arguments[0]);
  VariantClear(&arguments[1]);
  uintptr_t address = 0;
  if (SUCCEEDED(called)) {
    VARIANT number;
    VariantInit(&number);
    if (SUCCEEDED(VariantChangeType(&number, &answer, 0, VT_I8)))
      address = uintptr_t(number.llVal);
    VariantClear(&number);
  }
  VariantClear(&answer);
  return address;
}

}  // namespace jmc
