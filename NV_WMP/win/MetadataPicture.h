// IWMPMetadataPicture, the player's description of an embedded picture ("WM/Picture"),
// declared here from its published definition (MinGW's wmp.h lacks it) as an explicit table in
// the interface's order: IUnknown, IDispatch, then the four properties.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>

namespace wmp {

// {5C29BBE0-F87D-4C45-AA28-A70F0230FFA9}
inline constexpr IID kIidMetadataPicture = {
    0x5C29BBE0, 0xF87D, 0x4C45, {0xAA, 0x28, 0xA7, 0x0F, 0x02, 0x30, 0xFF, 0xA9}};

struct MetadataPicture;

struct MetadataPictureTable {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(MetadataPicture* self, REFIID iid, void** out);
  ULONG(STDMETHODCALLTYPE* AddRef)(MetadataPicture* self);
  ULONG(STDMETHODCALLTYPE* Release)(MetadataPicture* self);
  HRESULT(STDMETHODCALLTYPE* GetTypeInfoCount)(MetadataPicture* self, UINT* count);
  HRESULT(STDMETHODCALLTYPE* GetTypeInfo)(MetadataPicture* self, UINT index, LCID locale,
                                          ITypeInfo** info);
  HRESULT(STDMETHODCALLTYPE* GetIDsOfNames)(MetadataPicture* self, REFIID iid, LPOLESTR* names,
                                            UINT count, LCID locale, DISPID* ids);
  HRESULT(STDMETHODCALLTYPE* Invoke)(MetadataPicture* self, DISPID id, REFIID iid, LCID locale,
                                     WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError);
  HRESULT(STDMETHODCALLTYPE* get_mimeType)(MetadataPicture* self, BSTR* mimeType);
  HRESULT(STDMETHODCALLTYPE* get_pictureType)(MetadataPicture* self, BSTR* pictureType);
  HRESULT(STDMETHODCALLTYPE* get_description)(MetadataPicture* self, BSTR* description);
  HRESULT(STDMETHODCALLTYPE* get_URL)(MetadataPicture* self, BSTR* url);
};

struct MetadataPicture {
  const MetadataPictureTable* table;
};

static_assert(offsetof(MetadataPictureTable, get_URL) == 10 * sizeof(void*));
static_assert(sizeof(MetadataPictureTable) == 11 * sizeof(void*));

}  // namespace wmp
