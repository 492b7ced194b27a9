// The stand-in player's setup, read from the value text of its command line
// (StandInControl.h lists the keys).
#pragma once

#include <cstdint>
#include <string>

#include "players/winamp/Track.h"

namespace winamp_standin {

enum class PlayerMode { kWinamp, kJetAudio, kMediaMonkey };
enum class EmbedKind { kTopLevel, kChild, kNone };
enum class AudioKind { kTones, kSilence, kPattern };
enum class ServicesKind { kFull, kNone, kOne };
enum class ArtServiceKind { kPixels, kNoPixels, kFails, kAbsent };
enum class BitmapKind { kPicture, kNone, kNotBitmap };

struct StandInOptions {
  std::wstring journal;
  std::wstring plugin;  // empty: Plugins\vis_Omnihost.dll beside the program
  int64_t maxMs = 20000;
  PlayerMode mode = PlayerMode::kWinamp;
  EmbedKind embed = EmbedKind::kTopLevel;
  AudioKind audio = AudioKind::kTones;
  int32_t renderMs = 0;  // 0: the module's delay
  bool autoInit = true;
  ServicesKind services = ServicesKind::kFull;
  ArtServiceKind artService = ArtServiceKind::kPixels;
  BitmapKind bitmap = BitmapKind::kPicture;
  bool nullTexts = false;
  bool longTitle = false;
  Track track;
};

// Reads the setup. False with a reason when a key is unknown, a choice is not one of its
// words, or the journal is missing.
bool ParseOptions(const std::string& valueText, StandInOptions* options, std::string* error);

// Whether the mode answers the extended messages 9990-9995 (and 9996 for MediaMonkey).
inline bool IsExtended(PlayerMode mode) {
  return mode != PlayerMode::kWinamp;
}
const char* ModeName(PlayerMode mode);
const char* EmbedName(EmbedKind embed);

}  // namespace winamp_standin
