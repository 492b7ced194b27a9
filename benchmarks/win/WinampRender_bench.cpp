// The cost of one frame on the Winamp path, the player's Render call into the plug-in (pacing,
// Step, the engine's 'GetS' answered from the module's waveform and spectrum), against the
// engine's RunFrame called bare through its table for the same instance. The reference engine
// runs idle but asks its host for audio in every RunFrame, so both loops pay the same audio
// copy and the difference is the Winamp path's own work per frame.
//
// The plug-in is loaded through its export from the program's folder, as a player loads it,
// with the product (the reference engine) installed where the plug-in searches for it and a
// window of this program standing in for the player's main window.
//
// Output: one line per measurement and
//   ratio winamp render vs bare RunFrame = <ours / reference>
// from the fastest of several interleaved repetitions of each loop.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "refengine/RefEngineControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/ReferenceEngine.h"
#include "testsupport/win/WideText.h"
#include "vis_Omnihost/winamp/WinampMessages.h"
#include "vis_Omnihost/winamp/WinampRecords.h"

namespace {

constexpr int kRepetitions = 7;
constexpr int kIterations = 100000;
constexpr int32_t kEnginePeriodMs = 30;
constexpr wchar_t kPluginName[] = L"vis_Omnihost.dll";

// A player that has nothing playing: no frame to embed into, no services, a track that never
// changes. Everything else the plug-in asks answers 0.
LRESULT CALLBACK PlayerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != winamp::kPlayerMessage) return DefWindowProcW(window, message, wParam, lParam);
  if (lParam == winamp::command::kTrackLength) return 180;
  return 0;
}

HWND PlayerWindow() {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &PlayerProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"NovalumeWinampBenchPlayer";
  RegisterClassExW(&windowClass);
  return CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                         nullptr, nullptr, windowClass.hInstance, nullptr);
}

// A function a library exports, or null.
template <typename Function>
Function Export(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

double Nanoseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, int iterations) {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return double(value.QuadPart);
  }();
  return double(to.QuadPart - from.QuadPart) / frequency * 1e9 / iterations;
}

// Dispatches this thread's messages until the plug-in's window has been painted once, which is
// when the engine takes it.
bool WaitForEngineWindow(const RefEngineControlApi* control) {
  const ULONGLONG end = GetTickCount64() + 10000;
  while (GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    for (int32_t i = control->JournalCount() - 1; i >= 0; --i) {
      char line[64];
      control->JournalLine(i, line, sizeof line);
      if (std::string_view(line).rfind("SetTarget", 0) == 0) return true;
    }
    Sleep(10);
  }
  return false;
}

struct Timings {
  double render = 1e30;
  double bareRunFrame = 1e30;
};

Timings Measure(winamp::VisModule* module, const EngineTable* table, uint32_t instance) {
  Timings best;
  volatile int32_t sink = 0;
  for (int repetition = 0; repetition < kRepetitions; ++repetition) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kIterations; ++i) sink = table->RunFrame(instance, nullptr, nullptr);
    QueryPerformanceCounter(&end);
    best.bareRunFrame = std::min(best.bareRunFrame, Nanoseconds(start, end, kIterations));

    QueryPerformanceCounter(&start);
    for (int i = 0; i < kIterations; ++i) sink = module->render(module);
    QueryPerformanceCounter(&end);
    best.render = std::min(best.render, Nanoseconds(start, end, kIterations));
  }
  (void)sink;
  return best;
}

// The instance the plug-in made: the last CreateInstance line of the engine's journal.
uint32_t InstanceFromJournal(const RefEngineControlApi* control) {
  for (int32_t i = control->JournalCount() - 1; i >= 0; --i) {
    char line[512];
    control->JournalLine(i, line, sizeof line);
    const std::string_view text(line);
    if (text.rfind("CreateInstance", 0) != 0) continue;
    constexpr std::string_view kKey = " instance=";
    const size_t at = text.find(kKey);
    if (at != std::string_view::npos) {
      return uint32_t(std::strtoul(line + at + kKey.size(), nullptr, 10));
    }
  }
  return 0;
}

int Run() {
  InstalledProduct product(InstalledProduct::Options{});
  HMODULE plugin = LoadLibraryW(InProgramFolder(kPluginName).c_str());
  auto getHeader = Export<winamp::VisHeader*(WINAMP_CALL*)()>(plugin, "winampVisGetHeader");
  if (!product.ok() || getHeader == nullptr) {
    std::fprintf(stderr, "WinampRender_bench: the plug-in or the product could not be set up\n");
    return 1;
  }
  winamp::VisModule* module = getHeader()->getModule(0);
  HWND player = PlayerWindow();
  module->parent = player;
  module->instance = plugin;
  module->sampleRate = 44100;
  module->channels = 2;
  for (int i = 0; i < winamp::kBinCount; ++i) {
    module->waveform[0][i] = module->waveform[1][i] = int8_t(i % 64 - 32);
    module->spectrum[0][i] = module->spectrum[1][i] = uint8_t(i % 200);
  }
  if (module->init(module) != 0) {
    std::fprintf(stderr, "WinampRender_bench: the plug-in's Init failed (no engine?)\n");
    return 1;
  }
  // The plug-in loaded the engine from the product folder: its controls are reached there.
  const RefEngineControlApi* control = EngineControl(product.FileInFolder(L"GlimmoraEngine.dll"));
  HMODULE engine = GetModuleHandleW(product.FileInFolder(L"GlimmoraEngine.dll").c_str());
  auto getApi = Export<GetNVVisualAPIFn>(engine, kGetNVVisualAPIName);
  const EngineTable* table = nullptr;
  if (control == nullptr || getApi == nullptr || getApi(kEngineApiVersion, &table, nullptr) != 0 ||
      !WaitForEngineWindow(control)) {
    std::fprintf(stderr, "WinampRender_bench: the engine did not take the plug-in's window\n");
    module->quit(module);
    return 1;
  }
  const uint32_t instance = InstanceFromJournal(control);
  control->SetRunFramePeriod(kEnginePeriodMs);
  control->SetIdle(2);
  // The first Render sets the pacing to polling; from then on every call is a plain frame.
  module->render(module);

  const Timings timings = Measure(module, table, instance);
  std::printf("BM_WinampRender    %10.1f ns per frame\n", timings.render);
  std::printf("BM_BareRunFrame    %10.1f ns per call\n", timings.bareRunFrame);
  std::printf("ratio winamp render vs bare RunFrame = %.3f\n", timings.render / timings.bareRunFrame);

  control->SetIdle(0);
  module->quit(module);
  DestroyWindow(player);
  return 0;
}

}  // namespace

int main() {
  return Run();
}
