// Registration through the system's own client: regsvr32 calls DllRegisterServer and
// DllUnregisterServer (exit code 0 on success, 5 on a failing HRESULT); the registry is read
// back after each.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "NV_WMP/tests/win/EffectHarness.h"
#include "testsupport/win/ProgramRun.h"

namespace wmptest {
namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B31}";
constexpr wchar_t kLibraryKey[] = L"TypeLib\\{3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B32}";
constexpr wchar_t kEffectsKey[] = L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects";
constexpr wchar_t kEffectKey[] = L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects\\Glimmora";
constexpr wchar_t kPropertiesKey[] =
    L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects\\Glimmora\\Properties";

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring TextValue(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
      ERROR_SUCCESS) {
    return L"<missing>";
  }
  return text;
}

// regsvr32 of this process's width, silent; its exit code.
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

TEST(EffectRegistrationTest, Regsvr32RegistersTheClassTheLibraryAndTheEffectAndRemovesThem) {
  const std::wstring module = EffectModulePath();
  ASSERT_EQ(Regsvr32(Quoted(module)), 0);
  const std::wstring inproc = std::wstring(kClassKey) + L"\\InprocServer32";
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, kClassKey, nullptr), L"Glimmora for Windows Media Player");
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, inproc, nullptr), module);
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, inproc, L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\TypeLib", nullptr),
            L"{3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B32}");
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\Version", nullptr),
            L"2.5");
#ifdef _WIN64
  const std::wstring libraryPath = std::wstring(kLibraryKey) + L"\\1.0\\0\\win64";
#else
  const std::wstring libraryPath = std::wstring(kLibraryKey) + L"\\1.0\\0\\win32";
#endif
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, libraryPath, nullptr), module);
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, kPropertiesKey, L"classid"),
            L"{3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B31}");
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, kPropertiesKey, L"description"),
            L"Glimmora for Windows Media Player");
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, kPropertiesKey, L"name"), L"Glimmora");

  ASSERT_EQ(Regsvr32(L"/u " + Quoted(module)), 0);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, libraryPath));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEffectKey)) << "with its Properties subkey";
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEffectsKey)) << "the player's own key stays";

  // Keys already gone: unregistering again is no failure.
  EXPECT_EQ(Regsvr32(L"/u " + Quoted(module)), 0);
}

// The broadcast players listen for, seen by a window of our own.
UINT gNoticeMessage = 0;
int gNotices = 0;
LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == gNoticeMessage) ++gNotices;
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(EffectRegistrationTest, EveryRegistrationBroadcastsToRunningPlayers) {
  gNoticeMessage = RegisterWindowMessageA("WMPlayer_PluginAddRemove");
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = NoticeProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"NoticeListener";
  RegisterClassW(&windowClass);
  HWND listener = CreateWindowExW(0, L"NoticeListener", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(listener, nullptr);
  using Export = HRESULT(STDAPICALLTYPE*)();
  auto registerServer = reinterpret_cast<Export>(
      reinterpret_cast<void*>(GetProcAddress(EffectModule(), "DllRegisterServer")));
  auto unregisterServer = reinterpret_cast<Export>(
      reinterpret_cast<void*>(GetProcAddress(EffectModule(), "DllUnregisterServer")));
  ASSERT_TRUE(registerServer && unregisterServer);
  gNotices = 0;
  EXPECT_EQ(registerServer(), S_OK);
  PumpMessages(100);
  EXPECT_EQ(gNotices, 1);
  EXPECT_EQ(unregisterServer(), S_OK);
  PumpMessages(100);
  EXPECT_EQ(gNotices, 2);
  DestroyWindow(listener);
}

}  // namespace
}  // namespace wmptest
