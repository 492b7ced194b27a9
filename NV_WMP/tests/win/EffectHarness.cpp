#include "NV_WMP/tests/win/EffectHarness.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "refengine/RefEngineControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/ProgramRun.h"
#include "testsupport/win/WideText.h"

namespace wmptest {

namespace {

constexpr wchar_t kMainClass[] = L"WMPlayerApp";
constexpr wchar_t kEffectClass[] = L"StandInEffectHost";
constexpr UINT kPumpMessage = WM_MBUTTONDBLCLK;
constexpr LPARAM kPumpParameter = LPARAM(0xDEADBEEF);

int gToggles = 0;
int gPumpsHandled = 0;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSKEYDOWN && wParam == VK_RETURN) {
    ++gToggles;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The player hands the effect window's messages to the effect first.
LRESULT CALLBACK EffectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* effect = reinterpret_cast<wmp::Effects*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (effect != nullptr) {
    LRESULT result = 0;
    if (effect->table->OnWindowMessage(effect, message, wParam, lParam, &result) == S_OK) {
      if (message == kPumpMessage && lParam == kPumpParameter) ++gPumpsHandled;
      return result;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSW main = {};
  main.lpfnWndProc = MainProc;
  main.hInstance = GetModuleHandleW(nullptr);
  main.lpszClassName = kMainClass;
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassW(&main);
  WNDCLASSW effect = {};
  effect.style = CS_DBLCLKS;
  effect.lpfnWndProc = EffectProc;
  effect.hInstance = GetModuleHandleW(nullptr);
  effect.lpszClassName = kEffectClass;
  RegisterClassW(&effect);
}

}  // namespace

std::wstring EffectModulePath() {
  return InProgramFolder(L"NV_WMP.dll");
}

HMODULE EffectModule() {
  static HMODULE module = LoadLibraryW(EffectModulePath().c_str());
  return module;
}

HRESULT ModuleGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  using Fn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(EffectModule(), "DllGetClassObject")));
  return fn != nullptr ? fn(clsid, iid, out) : E_FAIL;
}

HRESULT ModuleCanUnloadNow() {
  using Fn = HRESULT(STDAPICALLTYPE*)();
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(EffectModule(), "DllCanUnloadNow")));
  return fn != nullptr ? fn() : E_FAIL;
}

long Regsvr32(const std::wstring& arguments) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  RunOptions options;
  options.arguments = L"/s " + arguments;
  ProgramRun run(std::wstring(system) + L"\\regsvr32.exe", options);
  if (!run.started()) return -2;
  return run.WaitForExit(30000);
}

std::wstring Quoted(const std::wstring& path) {
  return L"\"" + path + L"\"";
}

wmp::Effects* NewEffect() {
  // {3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B31}
  static constexpr CLSID kClsid = {
      0x3B6C8E51, 0x0D2A, 0x4F7B, {0x9E, 0x14, 0x6A, 0x2C, 0x5D, 0x8F, 0x0B, 0x31}};
  IClassFactory* factory = nullptr;
  if (FAILED(ModuleGetClassObject(kClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
    return nullptr;
  wmp::Effects* effect = nullptr;
  factory->CreateInstance(nullptr, wmp::kIidEffects2, reinterpret_cast<void**>(&effect));
  factory->Release();
  return effect;
}

PlayerWindows::PlayerWindows(bool mainWindow, int width, int height) {
  RegisterClasses();
  gToggles = 0;
  gPumpsHandled = 0;
  if (mainWindow) {
    mMain = CreateWindowExW(0, kMainClass, L"Stand-in player", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            40, 40, width + 40, height + 80, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  }
  mEffectWindow = CreateWindowExW(0, kEffectClass, L"Effect",
                                  (mMain ? WS_CHILD : WS_POPUP) | WS_VISIBLE, mMain ? 10 : 60,
                                  mMain ? 10 : 60, width, height, mMain, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  PumpMessages(20);
}

PlayerWindows::~PlayerWindows() {
  RouteTo(nullptr);
  if (mEffectWindow) DestroyWindow(mEffectWindow);
  if (mMain) DestroyWindow(mMain);
  PumpMessages(10);
}

void PlayerWindows::RouteTo(wmp::Effects* effect) {
  if (mEffectWindow) SetWindowLongPtrW(mEffectWindow, GWLP_USERDATA, LONG_PTR(effect));
}

int PlayerWindows::FullscreenToggles() const {
  return gToggles;
}

int PlayerWindows::PumpMessagesHandled() const {
  return gPumpsHandled;
}

void PumpMessages(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  } while (GetTickCount64() < end);
}

wmp::TimedLevel Levels(int amplitude, uint8_t band) {
  wmp::TimedLevel levels = {};
  for (int channel = 0; channel < wmp::kLevelChannels; ++channel) {
    for (int i = 0; i < wmp::kLevelBins; ++i) {
      levels.waveform[channel][i] = uint8_t(128 + ((i / 4) % 2 == 0 ? amplitude : -amplitude));
      levels.frequency[channel][i] = band;
    }
  }
  return levels;
}

void RenderFrames(wmp::Effects* effect, int count, const wmp::TimedLevel& levels) {
  wmp::TimedLevel copy = levels;
  for (int i = 0; i < count; ++i) {
    effect->table->RenderWindowed(effect, &copy, FALSE);
    PumpMessages(15);
  }
}

EngineJournal::EngineJournal() {
  mPath = NewTempFile(L"wj");
  SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, Utf8(mPath).c_str());
}

EngineJournal::~EngineJournal() {
  SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, nullptr);
  DeleteFileW(mPath.c_str());
}

Journal EngineJournal::Read() const {
  return refengine_journal::ReadJournalFile(Utf8(mPath));
}

InstalledProduct* InstalledEngineTest::product_ = nullptr;

void InstalledEngineTest::SetUpTestSuite() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  product_ = new InstalledProduct(InstalledProduct::Options{});
}

void InstalledEngineTest::TearDownTestSuite() {
  delete product_;
  product_ = nullptr;
}

void InstalledEngineTest::SetUp() {
  ASSERT_TRUE(product_ != nullptr && product_->ok()) << "the engine could not be installed";
}

Journal Calls(const Journal& journal, const std::string& call, const std::string& code) {
  return refengine_journal::EntriesOf(journal, call, code);
}

}  // namespace wmptest
