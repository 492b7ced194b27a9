#include "vis_Omnihost/winamp/win/PlayerDetection.h"

#include "utility/NVFileSpec.h"
#include "utility/TextFunctions.h"
#include "visualhost/host/HostDescriptors.h"
#include "vis_Omnihost/winamp/WinampMessages.h"

namespace winamp {

namespace {

constexpr char kJetAudioMark[] = "jetaudio";
// What GetModuleFileNameA is given room for.
constexpr DWORD kModulePathRoom = 700;

bool MentionsJetAudio(const char* text, int32_t length) {
  return FindText(kJetAudioMark, false, text, length) != 0;
}

// The program's path, read as the system gives it in the ANSI code page and as the library's
// UTF-8 application path: a folder name in another script may survive only one of the two.
bool RunByJetAudio() {
  char path[kModulePathRoom] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, kModulePathRoom - 1);
  if (MentionsJetAudio(path, static_cast<int32_t>(length))) return true;
  NVFileSpec program;
  if (program.SetToExecutable() != 0) return false;
  return MentionsJetAudio(program.Path().Text(), program.Path().Length());
}

}  // namespace

PlayerKind DetectPlayer(HWND player) {
  if (RunByJetAudio()) return {HostDescriptor::kJetAudio, true, true};
  if (SendMessageA(player, kPlayerMessage, 0, command::kVersion) == kMediaMonkeyVersion) {
    return {HostDescriptor::kMediaMonkey, true, false};
  }
  return {HostDescriptor::kWinamp, false, false};
}

}  // namespace winamp
