// The Winamp visualization module: the exported header, the one module it describes, and the
// four functions the player calls on its visualization thread.
#include <windows.h>

#include <string>

#include "utility/ExitCallbackList.h"
#include "utility/TextFunctions.h"
#include "utility/UtilStr.h"
#include "visualhost/engine/SharedEngineLibrary.h"
#include "vis_Omnihost/PluginIdentity.h"
#include "vis_Omnihost/winamp/WinampRecords.h"
#include "vis_Omnihost/winamp/win/PlayerDetection.h"
#include "vis_Omnihost/winamp/win/WinampHost.h"

namespace winamp {

namespace {

constexpr const char* kDescription = omnihost::kProductName;
constexpr const wchar_t* kAboutCaption = omnihost::kProductNameW;
constexpr char kNoEngineText[] = "The Glimmora visual engine is not installed.";
constexpr int32_t kLatencyMs = 1;
constexpr int32_t kDelayMs = 2;

WinampHost* HostOf(VisModule* module) {
  return module != nullptr ? static_cast<WinampHost*>(module->userData) : nullptr;
}

int32_t StartModule(VisModule* module) {
  if (module == nullptr) return 1;
  if (module->userData != nullptr) return 0;
  const PlayerKind kind = DetectPlayer(static_cast<HWND>(module->parent));
  auto* host = new WinampHost(module, kind);
  module->userData = host;
  host->SetDescriptor(kind.descriptor);
  host->StartInstance();
  if (host->Instance() != 0) return 0;
  // The player gives up on a module whose Init failed and may unload it at once: nothing of
  // ours (a window whose procedure lives in this library) may stay behind.
  module->userData = nullptr;
  host->Release();
  return 1;
}

void StopModule(VisModule* module) {
  if (WinampHost* host = HostOf(module)) {
    module->userData = nullptr;
    host->Release();
  }
  ExitCallbackList::Run();
}

// The engine's description, then the maker's address.
std::wstring AboutText() {
  UtilStr text;
  const EngineTable* table = SharedEngineLibrary()->GetTable();
  const auto* info = table != nullptr ? static_cast<const EngineInfoRecord*>(table->info) : nullptr;
  text.Append(info != nullptr && info->description != nullptr ? info->description : kNoEngineText);
  text.Append("\n\n");
  text.Append(omnihost::kMakerAddress);
  std::wstring wide(static_cast<size_t>(text.Length()) + 1, L'\0');
  const int32_t units = Utf8ToUtf16(text.Text(), text.Length(),
                                    reinterpret_cast<char16_t*>(wide.data()), text.Length());
  wide.resize(static_cast<size_t>(units > 0 ? units : 0));
  return wide;
}

void WINAMP_CALL Config(VisModule* module) {
  try {
    const std::wstring text = AboutText();
    MessageBoxW(module != nullptr ? static_cast<HWND>(module->parent) : nullptr, text.c_str(),
                kAboutCaption, MB_OK | MB_ICONINFORMATION);
  } catch (...) {
  }
}

int32_t WINAMP_CALL Init(VisModule* module) {
  try {
    return StartModule(module);
  } catch (...) {
    return 1;
  }
}

int32_t WINAMP_CALL Render(VisModule* module) {
  try {
    if (WinampHost* host = HostOf(module)) host->Render();
  } catch (...) {
  }
  return 0;
}

void WINAMP_CALL Quit(VisModule* module) {
  try {
    StopModule(module);
  } catch (...) {
  }
}

VisModule gModule = {
    kDescription, nullptr, nullptr, 0, 0, kLatencyMs, kDelayMs, 2, 2, {}, {},
    &Config,      &Init,   &Render, &Quit, nullptr};

VisModule* WINAMP_CALL GetModule(int32_t index) {
  return index == 0 ? &gModule : nullptr;
}

VisHeader gHeader = {kHeaderVersion, kDescription, &GetModule};

}  // namespace

}  // namespace winamp

extern "C" winamp::VisHeader* WINAMP_CALL winampVisGetHeader() {
  winamp::gModule.description = winamp::kDescription;
  return &winamp::gHeader;
}
