#include "utility/win/RegistrationScript.h"

#include <objbase.h>

#include "utility/win/ModulePath.h"
#include "utility/win/RegistrarInterface.h"

namespace {

// The registrar's work, in a thread that is in a single-threaded apartment.
HRESULT RunInApartment(HMODULE module, UINT resource_id, bool install) {
  wchar_t path[MAX_PATH * 2];
  if (!ModulePath(module, path, MAX_PATH * 2)) return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
  Registrar* registrar = nullptr;
  HRESULT hr = CoCreateInstance(kClsidRegistrar, nullptr, CLSCTX_INPROC_SERVER, kIidRegistrar,
                                reinterpret_cast<void**>(&registrar));
  if (FAILED(hr)) return hr;
  if (registrar == nullptr) return E_POINTER;
  hr = registrar->table->AddReplacement(registrar, L"MODULE", path);
  if (SUCCEEDED(hr)) {
    hr = install ? registrar->table->ResourceRegister(registrar, path, resource_id, L"REGISTRY")
                 : registrar->table->ResourceUnregister(registrar, path, resource_id, L"REGISTRY");
  }
  registrar->table->Release(registrar);
  return hr;
}

struct ScriptJob {
  HMODULE module;
  UINT resource_id;
  bool install;
  HRESULT result;
};

DWORD WINAPI ApartmentThread(void* argument) {
  ScriptJob* job = static_cast<ScriptJob*>(argument);
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) {
    job->result = hr;
    return 0;
  }
  job->result = RunInApartment(job->module, job->resource_id, job->install);
  CoUninitialize();
  return 0;
}

}  // namespace

HRESULT RunRegistrationScript(HMODULE module, UINT resource_id, bool install) {
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(hr)) {
    // No apartment yet (S_OK) or already single-threaded (S_FALSE): both are balanced here.
    HRESULT result = RunInApartment(module, resource_id, install);
    CoUninitialize();
    return result;
  }
  if (hr != RPC_E_CHANGED_MODE) return hr;
  // The caller's thread is in the multi-threaded apartment: run the script on a thread of our
  // own, so that the caller's apartment is left as it is.
  ScriptJob job{module, resource_id, install, E_FAIL};
  HANDLE thread = CreateThread(nullptr, 0, ApartmentThread, &job, 0, nullptr);
  if (thread == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return job.result;
}
