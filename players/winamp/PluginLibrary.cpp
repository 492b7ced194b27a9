#include "players/winamp/PluginLibrary.h"

#include "players/shared/StandInPlugin.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"
#include "refengine/JournalLine.h"
#include "utility/TextRules.h"

namespace winamp_standin {
namespace {

// Players pass their main window; older plug-ins declare no parameter, which the cdecl
// convention makes harmless.
using HeaderGetter = winamp::VisHeader*(WINAMP_CALL*)(HWND player);

// More modules than this means the plug-in never answers none.
constexpr int32_t kMaxModules = 16;
// Descriptions longer than this are not journaled whole.
constexpr int32_t kMaxDescription = 1024;

std::string BoundedText(const char* text) {
  if (!text) return {};
  return std::string(text, size_t(text_rules::BoundedLength(text, kMaxDescription)));
}

void JournalModule(int32_t index, const winamp::VisModule* module) {
  refengine::JournalLine line(call::kModule);
  line.Number("index", index).Address("module", module);
  if (module) {
    line.Text("description", BoundedText(module->description))
        .Number("latency", module->latencyMs)
        .Number("delay", module->delayMs)
        .Number("spectrumChannels", module->spectrumChannels)
        .Number("waveformChannels", module->waveformChannels)
        .Address("config", reinterpret_cast<const void*>(module->config))
        .Address("init", reinterpret_cast<const void*>(module->init))
        .Address("render", reinterpret_cast<const void*>(module->render))
        .Address("quit", reinterpret_cast<const void*>(module->quit))
        .Address("userData", module->userData);
  }
  WriteJournal(line);
}

bool ReadModules(PluginLibrary* plugin) {
  winamp::ModuleGetter getModule = plugin->header->getModule;
  if (!getModule) return false;
  for (int32_t index = 0; index < kMaxModules; ++index) {
    winamp::VisModule* module = getModule(index);
    JournalModule(index, module);
    if (!module) break;
    if (index == 0) plugin->module = module;
  }
  return plugin->module != nullptr;
}

}  // namespace

bool LoadPlugin(const std::wstring& path, HWND player, PluginLibrary* plugin) {
  plugin->library = standin::LoadPluginJournaled(path);
  if (!plugin->library) return false;
  // Through void* first: the export's real type is only known by name.
  auto getHeader = reinterpret_cast<HeaderGetter>(
      reinterpret_cast<void*>(GetProcAddress(plugin->library, "winampVisGetHeader")));
  plugin->header = getHeader ? getHeader(player) : nullptr;
  refengine::JournalLine header(call::kHeader);
  header.Number("export", getHeader ? 1 : 0).Address("header", plugin->header);
  if (plugin->header) {
    header.Number("version", plugin->header->version)
        .Text("description", BoundedText(plugin->header->description));
  }
  WriteJournal(header);
  return plugin->header && ReadModules(plugin);
}

void UnloadPlugin(PluginLibrary* plugin) {
  if (plugin->library) FreeLibrary(plugin->library);
  *plugin = PluginLibrary{};
}

}  // namespace winamp_standin
