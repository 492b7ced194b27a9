#include "NV_WMP/win/WmpMedia.h"

#include <windows.h>
#include <oleauto.h>
#include <wmp.h>

#include "NV_WMP/win/MetadataPicture.h"

namespace wmp {

namespace {

UtilStr FromWide(const wchar_t* text) {
  UtilStr utf8;
  if (text != nullptr) utf8.AssignUtf16(reinterpret_cast<const char16_t*>(text), -1);
  return utf8;
}

// Takes over a BSTR the player handed out: its UTF-8 text, the string freed.
UtilStr TakeWide(BSTR text) {
  UtilStr utf8 = FromWide(text);
  SysFreeString(text);
  return utf8;
}

}  // namespace

wchar_t* MediaAttributeWide(IWMPMedia* media, const wchar_t* name) {
  if (media == nullptr) return nullptr;
  BSTR attribute = SysAllocString(name);
  if (attribute == nullptr) return nullptr;
  BSTR value = nullptr;
  const HRESULT hr = IWMPMedia_getItemInfo(media, attribute, &value);
  SysFreeString(attribute);
  if (FAILED(hr)) {
    SysFreeString(value);
    return nullptr;
  }
  return value;
}

UtilStr MediaAttribute(IWMPMedia* media, const wchar_t* name) {
  return TakeWide(MediaAttributeWide(media, name));
}

UtilStr MediaSourceUrl(IWMPMedia* media) {
  if (media == nullptr) return UtilStr();
  BSTR url = nullptr;
  if (FAILED(IWMPMedia_get_sourceURL(media, &url))) {
    SysFreeString(url);
    return UtilStr();
  }
  return TakeWide(url);
}

UtilStr EmbeddedPictureUrl(IWMPMedia* media) {
  if (media == nullptr) return UtilStr();
  IWMPMedia3* media3 = nullptr;
  if (FAILED(IWMPMedia_QueryInterface(media, IID_IWMPMedia3, reinterpret_cast<void**>(&media3))) ||
      media3 == nullptr) {
    return UtilStr();
  }
  UtilStr url;
  BSTR type = SysAllocString(L"WM/Picture");
  BSTR language = SysAllocString(L"");
  VARIANT value;
  VariantInit(&value);
  if (type != nullptr && language != nullptr &&
      SUCCEEDED(IWMPMedia3_getItemInfoByType(media3, type, language, 0, &value)) &&
      V_VT(&value) == VT_DISPATCH && V_DISPATCH(&value) != nullptr) {
    MetadataPicture* picture = nullptr;
    if (SUCCEEDED(IDispatch_QueryInterface(V_DISPATCH(&value), kIidMetadataPicture,
                                           reinterpret_cast<void**>(&picture))) &&
        picture != nullptr) {
      BSTR pictureUrl = nullptr;
      if (SUCCEEDED(picture->table->get_URL(picture, &pictureUrl))) {
        url = TakeWide(pictureUrl);
      } else {
        SysFreeString(pictureUrl);
      }
      picture->table->Release(picture);
    }
  }
  VariantClear(&value);
  SysFreeString(language);
  SysFreeString(type);
  IWMPMedia3_Release(media3);
  return url;
}

}  // namespace wmp
