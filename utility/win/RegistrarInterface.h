#pragma once
// The system's COM registrar (class "ATL.Registrar" in atl.dll, present in every Windows and in
// Wine): it runs registration scripts, the text of a REGISTRY resource, with %NAME% replacements.
// MinGW ships no declaration of it, so it is declared here once, as an explicit table in the
// interface's published order (__stdcall in 32-bit through STDMETHODCALLTYPE).
#include <windows.h>
#include <objbase.h>

// {44EC053A-400F-11D0-9DCD-00A0C90391D3}
inline constexpr CLSID kClsidRegistrar = {
    0x44EC053A, 0x400F, 0x11D0, {0x9D, 0xCD, 0x00, 0xA0, 0xC9, 0x03, 0x91, 0xD3}};
// {44EC053B-400F-11D0-9DCD-00A0C90391D3}
inline constexpr IID kIidRegistrar = {
    0x44EC053B, 0x400F, 0x11D0, {0x9D, 0xCD, 0x00, 0xA0, 0xC9, 0x03, 0x91, 0xD3}};

struct Registrar;

struct RegistrarTable {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(Registrar* self, REFIID iid, void** out);
  ULONG(STDMETHODCALLTYPE* AddRef)(Registrar* self);
  ULONG(STDMETHODCALLTYPE* Release)(Registrar* self);
  HRESULT(STDMETHODCALLTYPE* AddReplacement)(Registrar* self, LPCOLESTR key, LPCOLESTR item);
  HRESULT(STDMETHODCALLTYPE* ClearReplacements)(Registrar* self);
  HRESULT(STDMETHODCALLTYPE* ResourceRegisterSz)(Registrar* self, LPCOLESTR file, LPCOLESTR id,
                                                 LPCOLESTR type);
  HRESULT(STDMETHODCALLTYPE* ResourceUnregisterSz)(Registrar* self, LPCOLESTR file,
                                                   LPCOLESTR id, LPCOLESTR type);
  HRESULT(STDMETHODCALLTYPE* FileRegister)(Registrar* self, LPCOLESTR file);
  HRESULT(STDMETHODCALLTYPE* FileUnregister)(Registrar* self, LPCOLESTR file);
  HRESULT(STDMETHODCALLTYPE* StringRegister)(Registrar* self, LPCOLESTR data);
  HRESULT(STDMETHODCALLTYPE* StringUnregister)(Registrar* self, LPCOLESTR data);
  HRESULT(STDMETHODCALLTYPE* ResourceRegister)(Registrar* self, LPCOLESTR file, UINT id,
                                               LPCOLESTR type);
  HRESULT(STDMETHODCALLTYPE* ResourceUnregister)(Registrar* self, LPCOLESTR file, UINT id,
                                                 LPCOLESTR type);
};

// An interface pointer as COM hands it over: the object starts with its table.
struct Registrar {
  const RegistrarTable* table;
};
