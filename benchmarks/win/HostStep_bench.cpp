// The cost of one frame on the render timer's path, VisualHost::OnFrameTimer (Step, then
// Schedule(true)), against the engine's RunFrame called bare through its table. The reference
// engine runs idle (RunFrame only answers its period), so the difference is the host's own
// work per frame. A real window is attached and the timer armed once, as in a running host;
// messages are never dispatched, so the timer itself never fires during the loops.
//
// Output: one line per measurement and
//   ratio host timer step vs bare RunFrame = <ours / reference>
// from the fastest of several interleaved repetitions of each loop (on a shared machine a
// slower repetition only measures waiting for a core).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "refengine/RefEngineControl.h"
#include "testsupport/win/ReferenceEngine.h"
#include "testsupport/win/WideText.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/host/HostDescriptors.h"
#include "visualhost/host/VisualHost.h"

namespace {

constexpr int kRepetitions = 7;
constexpr int kIterations = 200000;
constexpr int32_t kEnginePeriodMs = 30;

HWND HiddenWindow() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "NovalumeStepBenchWindow";
  RegisterClassExA(&windowClass);
  return CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                         nullptr, nullptr, windowClass.hInstance, nullptr);
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return double(value.QuadPart);
  }();
  return double(to.QuadPart - from.QuadPart) / frequency;
}

// Nanoseconds per call of the fastest repetition, interleaving the two loops.
struct Timings {
  double hostStep = 1e30;
  double bareRunFrame = 1e30;
};

Timings Measure(VisualHost* host, const EngineTable* table) {
  Timings best;
  volatile int32_t sink = 0;
  const uint32_t instance = host->Instance();
  for (int repetition = 0; repetition < kRepetitions; ++repetition) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kIterations; ++i) sink = table->RunFrame(instance, nullptr, nullptr);
    QueryPerformanceCounter(&end);
    best.bareRunFrame = std::min(best.bareRunFrame, Seconds(start, end) * 1e9 / kIterations);

    QueryPerformanceCounter(&start);
    for (int i = 0; i < kIterations; ++i) VisualHost::OnFrameTimer(host);
    QueryPerformanceCounter(&end);
    best.hostStep = std::min(best.hostStep, Seconds(start, end) * 1e9 / kIterations);
  }
  (void)sink;
  return best;
}

int Run() {
  EngineLibrary* library = NewReferenceEngineLibrary();
  const EngineTable* table = library->GetTable();
  const RefEngineControlApi* control = EngineControl(ReferenceEnginePath());
  if (table == nullptr || control == nullptr) {
    std::fprintf(stderr, "HostStep_bench: the reference engine %s could not be loaded\n",
                 Utf8(ReferenceEnginePath()).c_str());
    library->Release();
    return 1;
  }
  control->Reset();
  control->SetIdle(1);
  control->SetRunFramePeriod(kEnginePeriodMs);

  HWND window = HiddenWindow();
  if (window == nullptr) {
    std::fprintf(stderr, "HostStep_bench: no window (no display?); the timer is not armed\n");
  }
  VisualHost* host = new VisualHost();
  host->SetDescriptor(HostDescriptor::kStandalone);
  host->AttachEngine(library);
  host->StartInstance();
  if (host->Status() != 0) {
    std::fprintf(stderr, "HostStep_bench: the engine instance did not start (%d)\n",
                 int(host->Status()));
    host->Release();
    library->Release();
    return 1;
  }
  host->AttachWindow(window, 0, nullptr);
  host->Schedule(true);
  // The first tick takes the engine's period; from then on the timer already fits.
  VisualHost::OnFrameTimer(host);

  const Timings timings = Measure(host, table);
  std::printf("BM_HostTimerStep   %10.1f ns per frame\n", timings.hostStep);
  std::printf("BM_BareRunFrame    %10.1f ns per call\n", timings.bareRunFrame);
  std::printf("ratio host timer step vs bare RunFrame = %.3f\n",
              timings.hostStep / timings.bareRunFrame);

  host->Release();
  if (window != nullptr) DestroyWindow(window);
  control->Reset();
  library->Release();
  return 0;
}

}  // namespace

int main() {
  return Run();
}
