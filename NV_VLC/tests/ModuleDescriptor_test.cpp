// The descriptor, read the way VLC's module bank reads it: through a setter that records
// every property it is given.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "NV_VLC/FilterCallbacks.h"
#include "NV_VLC/ModuleDescriptor.h"

namespace {

// What one setter call carried, in text: "<target> <property> <arguments>".
struct DescriptorLog {
  std::vector<std::string> calls;
  int refuse = -1;  // property that the setter refuses (non-zero answer), -1: none
};

// Stand-ins for the handles VLC hands out; only their identity matters.
module_t* const kModule = reinterpret_cast<module_t*>(0x1000);
module_config_t* const kConfig = reinterpret_cast<module_config_t*>(0x2000);

std::string Text(const char* text) { return text != nullptr ? "'" + std::string(text) + "'" : "none"; }

std::string Target(void* target) {
  if (target == nullptr) return "plugin";
  if (target == kModule) return "module";
  if (target == kConfig) return "config";
  return "unknown";
}

std::string ReadArguments(int property, va_list args) {
  switch (property) {
    case VLC_MODULE_CREATE:
      *va_arg(args, module_t**) = kModule;
      return "";
    case VLC_CONFIG_CREATE: {
      const int type = va_arg(args, int);
      *va_arg(args, module_config_t**) = kConfig;
      return std::to_string(type);
    }
    case VLC_MODULE_NAME:
    case VLC_MODULE_SHORTNAME:
    case VLC_MODULE_DESCRIPTION:
    case VLC_MODULE_CAPABILITY:
    case VLC_CONFIG_NAME:
      return Text(va_arg(args, const char*));
    case VLC_MODULE_SCORE:
      return std::to_string(va_arg(args, int));
    case VLC_CONFIG_VALUE:
      return std::to_string(va_arg(args, int64_t));
    case VLC_CONFIG_DESC: {
      const std::string text = Text(va_arg(args, const char*));
      return text + " " + Text(va_arg(args, const char*));
    }
    case VLC_MODULE_SHORTCUT: {
      const size_t count = va_arg(args, size_t);
      const char* const* list = va_arg(args, const char* const*);
      std::string result = std::to_string(count);
      for (size_t i = 0; i < count; ++i) result += " " + Text(list[i]);
      return result;
    }
    case VLC_MODULE_NO_UNLOAD:
      return "";
    case VLC_MODULE_CB_OPEN:
    case VLC_MODULE_CB_CLOSE: {
      const std::string name = Text(va_arg(args, const char*));
      void* function = va_arg(args, void*);
      if (function == reinterpret_cast<void*>(&OpenFilter)) return name + " OpenFilter";
      if (function == reinterpret_cast<void*>(&CloseFilter)) return name + " CloseFilter";
      return name + " unknown";
    }
    default:
      return "?";
  }
}

int RecordingSetter(void* opaque, void* target, int property, ...) {
  auto* log = static_cast<DescriptorLog*>(opaque);
  va_list args;
  va_start(args, property);
  const std::string arguments = ReadArguments(property, args);
  va_end(args);
  log->calls.push_back(Target(target) + " " + std::to_string(property) + " " + arguments);
  return property == log->refuse ? 1 : 0;
}

std::string Call(const char* target, int property, const std::string& arguments) {
  return std::string(target) + " " + std::to_string(property) + " " + arguments;
}

std::vector<std::string> ExpectedCalls() {
  const std::string integer = std::to_string(CONFIG_ITEM_INTEGER);
  const std::string boolean = std::to_string(CONFIG_ITEM_BOOL);
  return {
      Call("plugin", VLC_MODULE_CREATE, ""),
      Call("module", VLC_MODULE_NAME, "'glimmora'"),
      Call("module", VLC_MODULE_SHORTNAME, "'Glimmora'"),
      Call("module", VLC_MODULE_DESCRIPTION, "'Glimmora'"),
      Call("plugin", VLC_CONFIG_CREATE, std::to_string(CONFIG_CATEGORY)),
      Call("config", VLC_CONFIG_VALUE, "2"),
      Call("plugin", VLC_CONFIG_CREATE, std::to_string(CONFIG_SUBCATEGORY)),
      Call("config", VLC_CONFIG_VALUE, "204"),
      Call("module", VLC_MODULE_CAPABILITY, "'visualization'"),
      Call("module", VLC_MODULE_SCORE, "0"),
      Call("plugin", VLC_CONFIG_CREATE, integer),
      Call("config", VLC_CONFIG_DESC, "'Window width' none"),
      Call("config", VLC_CONFIG_NAME, "'glimmora-width'"),
      Call("config", VLC_CONFIG_VALUE, "1280"),
      Call("plugin", VLC_CONFIG_CREATE, integer),
      Call("config", VLC_CONFIG_DESC, "'Window height' none"),
      Call("config", VLC_CONFIG_NAME, "'glimmora-height'"),
      Call("config", VLC_CONFIG_VALUE, "720"),
      Call("plugin", VLC_CONFIG_CREATE, boolean),
      Call("config", VLC_CONFIG_DESC,
           "'Only visualize audio-only inputs' 'Leave the visualizer closed while a file with "
           "a video track is playing.'"),
      Call("config", VLC_CONFIG_NAME, "'glimmora-audio-only'"),
      Call("config", VLC_CONFIG_VALUE, "1"),
      Call("module", VLC_MODULE_SHORTCUT, "1 'glimmora'"),
      Call("module", VLC_MODULE_NO_UNLOAD, ""),
      Call("module", VLC_MODULE_CB_OPEN, "'Open' OpenFilter"),
      Call("module", VLC_MODULE_CB_CLOSE, "'Close' CloseFilter"),
  };
}

TEST(ModuleDescriptor, TellsVlcEveryPropertyInOrder) {
  DescriptorLog log;
  EXPECT_EQ(vlc_entry__3_0_0f(&RecordingSetter, &log), 0);
  EXPECT_EQ(log.calls, ExpectedCalls());
}

// A refused module-level property ends the descriptor at once with -1; refused configuration
// items are not looked at.
TEST(ModuleDescriptor, RefusedPropertiesEndItOnlyAtModuleLevel) {
  const std::vector<std::string> expected = ExpectedCalls();
  struct Case {
    int refused;
    int result;
    size_t callsMade;  // how many of the expected calls were made
  };
  const Case cases[] = {
      {VLC_MODULE_CREATE, -1, 1},      {VLC_MODULE_NAME, -1, 2},
      {VLC_MODULE_CAPABILITY, -1, 9},  {VLC_MODULE_CB_CLOSE, -1, expected.size()},
      {VLC_CONFIG_CREATE, 0, expected.size()}, {VLC_CONFIG_VALUE, 0, expected.size()},
  };
  for (const Case& c : cases) {
    DescriptorLog log;
    log.refuse = c.refused;
    EXPECT_EQ(vlc_entry__3_0_0f(&RecordingSetter, &log), c.result) << "refused " << c.refused;
    EXPECT_EQ(log.calls, std::vector<std::string>(expected.begin(), expected.begin() + c.callsMade))
        << "refused " << c.refused;
  }
}

TEST(ModuleDescriptor, WithoutSetterReportsFailure) {
  EXPECT_EQ(vlc_entry__3_0_0f(nullptr, nullptr), -1);
}

}  // namespace
