// The module descriptor: what VLC's module bank learns about this library, told through its
// setter callback one property at a time.
#include "NV_VLC/ModuleDescriptor.h"

#include <cstdint>

#include "NV_VLC/FilterCallbacks.h"
#include "NV_VLC/ModuleOptions.h"

namespace {

struct OptionItem {
  int type;
  const char* name;
  const char* text;
  const char* longText;  // null: none
  int64_t defaultValue;
};

constexpr OptionItem kOptionItems[] = {
    {CONFIG_ITEM_INTEGER, ModuleOptions::kWidth, "Window width", nullptr,
     ModuleOptions::kDefaultWidth},
    {CONFIG_ITEM_INTEGER, ModuleOptions::kHeight, "Window height", nullptr,
     ModuleOptions::kDefaultHeight},
    {CONFIG_ITEM_BOOL, ModuleOptions::kAudioOnly, "Only visualize audio-only inputs",
     "Leave the visualizer closed while a file with a video track is playing.",
     ModuleOptions::kDefaultAudioOnly ? 1 : 0},
};

// A category or subcategory entry. Like every configuration item, VLC's answer is not looked
// at: the module works the same whether or not VLC files it in its preferences.
void DeclarePlacement(vlc_set_cb vlcSet, void* opaque, int type, int64_t value) {
  module_config_t* config = nullptr;
  vlcSet(opaque, nullptr, VLC_CONFIG_CREATE, type, &config);
  vlcSet(opaque, config, VLC_CONFIG_VALUE, value);
}

void DeclareOption(vlc_set_cb vlcSet, void* opaque, const OptionItem& item) {
  module_config_t* config = nullptr;
  vlcSet(opaque, nullptr, VLC_CONFIG_CREATE, item.type, &config);
  vlcSet(opaque, config, VLC_CONFIG_DESC, item.text, item.longText);
  vlcSet(opaque, config, VLC_CONFIG_NAME, item.name);
  vlcSet(opaque, config, VLC_CONFIG_VALUE, item.defaultValue);
}

// What the module is for; false as soon as VLC refuses a property.
bool DeclareCapabilities(vlc_set_cb vlcSet, void* opaque, module_t* module) {
  return vlcSet(opaque, module, VLC_MODULE_CAPABILITY, "visualization") == 0 &&
         vlcSet(opaque, module, VLC_MODULE_SCORE, 0) == 0;
}

// Shortcut, pinning and callbacks; false as soon as VLC refuses a property.
bool DeclareEnding(vlc_set_cb vlcSet, void* opaque, module_t* module) {
  const char* const shortcuts[] = {ModuleOptions::kModuleName};
  const size_t shortcutCount = sizeof(shortcuts) / sizeof(shortcuts[0]);
  // No unloading: the session thread runs inside this library for the rest of the process.
  return vlcSet(opaque, module, VLC_MODULE_SHORTCUT, shortcutCount, shortcuts) == 0 &&
         vlcSet(opaque, module, VLC_MODULE_NO_UNLOAD) == 0 &&
         vlcSet(opaque, module, VLC_MODULE_CB_OPEN, "Open",
                reinterpret_cast<void*>(&OpenFilter)) == 0 &&
         vlcSet(opaque, module, VLC_MODULE_CB_CLOSE, "Close",
                reinterpret_cast<void*>(&CloseFilter)) == 0;
}

}  // namespace

extern "C" int vlc_entry__3_0_0f(vlc_set_cb vlcSet, void* opaque) {
  if (vlcSet == nullptr) {
    return -1;
  }
  module_t* module = nullptr;
  if (vlcSet(opaque, nullptr, VLC_MODULE_CREATE, &module) != 0 ||
      vlcSet(opaque, module, VLC_MODULE_NAME, ModuleOptions::kModuleName) != 0 ||
      vlcSet(opaque, module, VLC_MODULE_SHORTNAME, "Glimmora") != 0 ||
      vlcSet(opaque, module, VLC_MODULE_DESCRIPTION, "Glimmora") != 0) {
    return -1;
  }
  DeclarePlacement(vlcSet, opaque, CONFIG_CATEGORY, CAT_AUDIO);
  DeclarePlacement(vlcSet, opaque, CONFIG_SUBCATEGORY, SUBCAT_AUDIO_VISUAL);
  if (!DeclareCapabilities(vlcSet, opaque, module)) {
    return -1;
  }
  for (const OptionItem& item : kOptionItems) {
    DeclareOption(vlcSet, opaque, item);
  }
  return DeclareEnding(vlcSet, opaque, module) ? 0 : -1;
}

extern "C" const char* vlc_entry_copyright__3_0_0f() {
  return "Copyright (C) Novalume. All rights reserved.";
}

extern "C" const char* vlc_entry_license__3_0_0f() {
  return "Proprietary: licensed to Glimmora users with the product.";
}
