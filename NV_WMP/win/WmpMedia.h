// Reading the player's media item: attribute texts, the source URL and the embedded picture's
// URL, each as UTF-8 (empty when the player supplies nothing or fails). Every interface and
// string obtained here is released before returning.
#pragma once

#include "utility/UtilStr.h"

struct IWMPMedia;

namespace wmp {

// getItemInfo of the attribute.
UtilStr MediaAttribute(IWMPMedia* media, const wchar_t* name);
// getItemInfo of the attribute as UTF-16 (a BSTR the caller frees with SysFreeString; null
// when there is none).
wchar_t* MediaAttributeWide(IWMPMedia* media, const wchar_t* name);
// get_sourceURL.
UtilStr MediaSourceUrl(IWMPMedia* media);
// The URL of the first embedded "WM/Picture", through IWMPMedia3 and IWMPMetadataPicture.
UtilStr EmbeddedPictureUrl(IWMPMedia* media);

}  // namespace wmp
