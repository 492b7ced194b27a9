#include "players/winamp/StandInOptions.h"

#include <initializer_list>
#include <utility>

#include "players/winamp/TrackTexts.h"
#include "utility/SettingsTable.h"

namespace winamp_standin {
namespace {

template <typename Choice>
using Words = std::initializer_list<std::pair<const char*, Choice>>;

std::string Text(const SettingsTable& table, const char* key) {
  UtilStr value;
  table.GetText(key, &value);
  return std::string(value.Text(), size_t(value.Length()));
}

// Sets *choice from the word under key, when the key is there; false for a word not listed.
template <typename Choice>
bool ReadChoice(const SettingsTable& table, const char* key, Words<Choice> words, Choice* choice) {
  if (table.GetFlags(key) == 0) return true;
  const std::string word = Text(table, key);
  for (const auto& [name, value] : words) {
    if (word == name) {
      *choice = value;
      return true;
    }
  }
  return false;
}

void ReadInteger(const SettingsTable& table, const char* key, int64_t* value) {
  if (table.GetFlags(key) != 0) *value = table.GetInteger(key);
}

void ReadFlag(const SettingsTable& table, const char* key, bool* value) {
  if (table.GetFlags(key) != 0) *value = table.GetInteger(key) != 0;
}

constexpr const char* kSetupKeys[] = {"journal", "plugin",    "maxMs",    "mode",     "embed",
                                      "audio",   "renderMs",  "autoInit", "services", "artService",
                                      "bitmap",  "nullTexts", "longTitle"};

int CountPresent(const SettingsTable& table) {
  int present = 0;
  for (const char* key : kSetupKeys) present += table.GetFlags(key) != 0 ? 1 : 0;
  return present;
}

bool ReadChoices(const SettingsTable& table, StandInOptions* options, std::string* error) {
  const bool ok =
      ReadChoice<PlayerMode>(table, "mode",
                             {{"winamp", PlayerMode::kWinamp},
                              {"jetaudio", PlayerMode::kJetAudio},
                              {"mediamonkey", PlayerMode::kMediaMonkey}},
                             &options->mode) &&
      ReadChoice<EmbedKind>(
          table, "embed",
          {{"top", EmbedKind::kTopLevel}, {"child", EmbedKind::kChild}, {"none", EmbedKind::kNone}},
          &options->embed) &&
      ReadChoice<AudioKind>(table, "audio",
                            {{"tones", AudioKind::kTones},
                             {"silence", AudioKind::kSilence},
                             {"pattern", AudioKind::kPattern}},
                            &options->audio) &&
      ReadChoice<ServicesKind>(table, "services",
                               {{"full", ServicesKind::kFull},
                                {"none", ServicesKind::kNone},
                                {"one", ServicesKind::kOne}},
                               &options->services) &&
      ReadChoice<ArtServiceKind>(table, "artService",
                                 {{"pixels", ArtServiceKind::kPixels},
                                  {"noPixels", ArtServiceKind::kNoPixels},
                                  {"fails", ArtServiceKind::kFails},
                                  {"absent", ArtServiceKind::kAbsent}},
                                 &options->artService) &&
      ReadChoice<BitmapKind>(table, "bitmap",
                             {{"picture", BitmapKind::kPicture},
                              {"none", BitmapKind::kNone},
                              {"notBitmap", BitmapKind::kNotBitmap}},
                             &options->bitmap);
  if (!ok) *error = "a choice is not one of its words";
  return ok;
}

}  // namespace

bool ParseOptions(const std::string& valueText, StandInOptions* options, std::string* error) {
  SettingsTable table;
  if (table.Parse(valueText.data(), int32_t(valueText.size())) != SettingsStatus::kOk) {
    *error = "the setup is not value text";
    return false;
  }
  const int trackFields = ApplyTrackFields(table, &options->track);
  if (CountPresent(table) + trackFields != table.Named().Count() || table.Numbered().Count() != 0) {
    *error = "the setup has a key the player does not know";
    return false;
  }
  if (!ReadChoices(table, options, error)) return false;
  const std::u16string journal = Utf16(Text(table, "journal"));
  const std::u16string plugin = Utf16(Text(table, "plugin"));
  options->journal.assign(journal.begin(), journal.end());
  options->plugin.assign(plugin.begin(), plugin.end());
  int64_t renderMs = options->renderMs;
  ReadInteger(table, "maxMs", &options->maxMs);
  ReadInteger(table, "renderMs", &renderMs);
  options->renderMs = int32_t(renderMs);
  ReadFlag(table, "autoInit", &options->autoInit);
  ReadFlag(table, "nullTexts", &options->nullTexts);
  ReadFlag(table, "longTitle", &options->longTitle);
  if (options->journal.empty()) {
    *error = "no journal";
    return false;
  }
  return true;
}

const char* ModeName(PlayerMode mode) {
  switch (mode) {
    case PlayerMode::kJetAudio:
      return "jetaudio";
    case PlayerMode::kMediaMonkey:
      return "mediamonkey";
    default:
      return "winamp";
  }
}

const char* EmbedName(EmbedKind embed) {
  switch (embed) {
    case EmbedKind::kChild:
      return "child";
    case EmbedKind::kNone:
      return "none";
    default:
      return "top";
  }
}

}  // namespace winamp_standin
