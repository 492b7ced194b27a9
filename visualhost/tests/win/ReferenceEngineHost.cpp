#include "visualhost/tests/win/ReferenceEngineHost.h"

#include "testsupport/win/ReferenceEngine.h"

namespace {

constexpr char kWindowClass[] = "NovalumePacingTestWindow";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<VisualHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host != nullptr) {
    bool handled = false;
    const intptr_t result = host->HandleMessage(message, wParam, lParam, &handled);
    if (handled) return result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTestWindowClass() {
  static const ATOM registered = [] {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass);
  }();
  (void)registered;
}

// Hiding or destroying a window that has been on screen makes Wine's display driver wait two
// seconds for a window manager that the test display does not have. Such windows are kept for
// later tests instead; the rest are destroyed.
std::vector<HWND>& ParkedWindows() {
  static std::vector<HWND> parked;
  return parked;
}

HWND UnparkWindow(int width, int height) {
  std::vector<HWND>& parked = ParkedWindows();
  while (!parked.empty()) {
    HWND window = parked.back();
    parked.pop_back();
    if (!IsWindow(window)) continue;
    SetWindowPos(window, HWND_TOP, 100, 100, width, height, SWP_NOACTIVATE);
    return window;
  }
  return nullptr;
}

void ParkOrDestroy(HWND window) {
  if (IsWindowVisible(window)) {
    ParkedWindows().push_back(window);
  } else {
    DestroyWindow(window);
  }
}

bool DispatchPending() {
  MSG message;
  bool any = false;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    any = true;
  }
  return any;
}

}  // namespace

int32_t PacedHost::HandleGetS(AudioRequest*) {
  std::lock_guard<std::mutex> guard(mLock);
  mAudioRequestThreads.push_back(GetCurrentThreadId());
  return NVStatus::kNotHandled;
}

std::vector<DWORD> PacedHost::AudioRequestThreads() const {
  std::lock_guard<std::mutex> guard(mLock);
  return mAudioRequestThreads;
}

HWND CreateTestWindow(bool visible, int width, int height) {
  RegisterTestWindowClass();
  const DWORD style = WS_POPUP | (visible ? WS_VISIBLE : 0);
  return CreateWindowExA(0, kWindowClass, "pacing test", style, 100, 100, width, height, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

void SetWindowHost(HWND window, VisualHost* host) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD limitMs) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  while (!done()) {
    if (GetTickCount64() >= end) return done();
    if (!DispatchPending()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpMessagesFor(DWORD milliseconds) {
  PumpMessagesUntil([] { return false; }, milliseconds);
}

void ReferenceEngineTest::StartHost(const char* descriptor) {
  library = NewReferenceEngineLibrary();
  ASSERT_NE(library->GetTable(), nullptr) << "reference engine not loadable";
  control = EngineControl(ReferenceEnginePath());
  ASSERT_NE(control, nullptr);
  control->Reset();
  host = new PacedHost();
  host->SetDescriptor(descriptor);
  host->AttachEngine(library);
  host->StartInstance();
  ASSERT_EQ(host->Status(), 0);
}

HWND ReferenceEngineTest::Window(bool visible, int width, int height) {
  HWND window = visible ? UnparkWindow(width, height) : nullptr;
  if (window == nullptr) window = CreateTestWindow(visible, width, height);
  EXPECT_NE(window, nullptr) << "no display for windows";
  if (window != nullptr) {
    SetWindowHost(window, host);
    windows.push_back(window);
  }
  return window;
}

void ReferenceEngineTest::TearDown() {
  // The host stops its timer and its pump thread while its windows still exist.
  if (host != nullptr) host->Release();
  host = nullptr;
  for (HWND window : windows) {
    SetWindowHost(window, nullptr);
    ParkOrDestroy(window);
  }
  DispatchPending();
  if (control != nullptr) control->Reset();
  if (library != nullptr) library->Release();
}

std::vector<refengine_journal::JournalEntry> ReferenceEngineTest::Journal() const {
  return refengine_journal::ReadJournal(control);
}

std::vector<refengine_journal::JournalEntry> ReferenceEngineTest::JournalOf(
    const std::string& call, const std::string& code) const {
  return refengine_journal::EntriesOf(Journal(), call, code);
}
