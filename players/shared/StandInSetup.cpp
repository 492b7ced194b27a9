#include "players/shared/StandInSetup.h"

#include "players/shared/SetupText.h"
#include "utility/NVFileSpec.h"
#include "utility/SettingsTable.h"

namespace standin {
namespace {

constexpr const char* kCommonKeys[] = {"journal", "plugin", "maxMs", "steps"};

std::string Text(const SettingsTable& table, const char* key) {
  UtilStr value;
  table.GetText(key, &value);
  return std::string(value.Text(), size_t(value.Length()));
}

bool OnlyKnownKeys(const SettingsTable& table, std::span<const char* const> numberKeys) {
  int present = 0;
  for (const char* key : kCommonKeys) present += table.GetFlags(key) != 0 ? 1 : 0;
  for (const char* key : numberKeys) present += table.GetFlags(key) != 0 ? 1 : 0;
  return present == table.Named().Count() && table.Numbered().Count() == 0;
}

}  // namespace

std::wstring DefaultPluginPath() {
  NVFileSpec folder;
  folder.SetToExecutableFolder();
  NVFileSpec path;
  path.SetChild("Plugins\\vis_Omnihost.dll", -1, folder);
  return Wide(std::string(path.Text(), size_t(path.Path().Length())));
}

std::wstring StandInSetup::PluginPath() const {
  return plugin.empty() ? DefaultPluginPath() : plugin;
}

bool ParseSetup(const std::string& valueText, std::span<const StepVerb> verbs,
                std::span<const char* const> numberKeys, StandInSetup* setup, std::string* error) {
  SettingsTable table;
  if (table.Parse(valueText.data(), int32_t(valueText.size())) != SettingsStatus::kOk) {
    *error = "the setup is not value text";
    return false;
  }
  if (!OnlyKnownKeys(table, numberKeys)) {
    *error = "the setup has a key the player does not know";
    return false;
  }
  setup->journal = Wide(Text(table, "journal"));
  setup->plugin = Wide(Text(table, "plugin"));
  if (table.GetFlags("maxMs") != 0) setup->maxMs = table.GetInteger("maxMs");
  for (const char* key : numberKeys) {
    if (table.GetFlags(key) != 0) setup->numbers[key] = table.GetInteger(key);
  }
  if (setup->journal.empty()) {
    *error = "no journal";
    return false;
  }
  return ParseSteps(Text(table, "steps"), verbs, &setup->steps, error);
}

}  // namespace standin
