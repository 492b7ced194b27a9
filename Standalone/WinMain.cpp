// The stand-alone program: one host, one window, the engine drawing into it until the window
// is closed.
#include <windows.h>

#include "Standalone/DeviceProbe.h"
#include "Standalone/StandaloneHost.h"
#include "Standalone/StandaloneWindow.h"
#include "utility/ExitCallbackList.h"
#include "visualhost/engine/EngineInterface.h"

namespace {

constexpr char kProductName[] = "Glimmora";
constexpr char kFailureCaption[] = "Failed to load Glimmora.";
constexpr char kFailureText[] =
    "The Glimmora visual engine either failed to load or could not be found in the Novalume "
    "support folder.  To fix the problem, try reinstalling Glimmora.   ";

void ShowWindowAndRun(HINSTANCE instance, StandaloneHost* host) {
  HWND window = CreateStandaloneWindow(instance, kProductName, host);
  // The engine decides where the window goes; only then is it shown.
  host->PlaceWindow(window);
  host->AttachWindow(window, 0, nullptr);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  host->Schedule(true);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void RunProgram(HINSTANCE instance) {
  HANDLE device = OpenProbedDevice();

  auto* host = new StandaloneHost(kProductName);
  host->StartInstance();
  if (host->Instance() == 0) {
    MessageBoxA(nullptr, kFailureText, kFailureCaption, MB_ICONWARNING);
  }
  host->SetWindow(nullptr);
  RegisterStandaloneWindowClass(instance);
  // Changes nothing once the first start has been tried; kept so that a host whose start was
  // deferred still gets its instance before the window.
  host->StartInstance();
  if (host->Status() == NVStatus::kOk) ShowWindowAndRun(instance, host);

  // The engine instance goes first, then the window, then (through the exit list) the engine
  // library itself.
  host->Release();
  if (device != nullptr) CloseHandle(device);
  ExitCallbackList::Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    RunProgram(instance);
  } catch (...) {
  }
  return 0;
}
