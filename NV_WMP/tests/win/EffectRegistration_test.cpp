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

// The broadcast players listen for, seen by a top-level window of our own.
UINT gNoticeMessage = 0;
int gNotices = 0;
LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == gNoticeMessage) ++gNotices;
  return DefWindowProcW(window, message, wParam, lParam);
}

class NoticeListener {
 public:
  NoticeListener() {
    gNoticeMessage = RegisterWindowMessageA("WMPlayer_PluginAddRemove");
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = NoticeProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"NoticeListener";
    RegisterClassW(&windowClass);
    mWindow = CreateWindowExW(0, L"NoticeListener", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    gNotices = 0;
  }
  ~NoticeListener() { DestroyWindow(mWindow); }
  HWND Window() const { return mWindow; }
  // The notices seen so far, after the posted ones have arrived.
  int Notices() const {
    PumpMessages(100);
    return gNotices;
  }

 private:
  HWND mWindow = nullptr;
};

using Export = HRESULT(STDAPICALLTYPE*)();
Export ModuleExport(const char* name) {
  return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(EffectModule(), name)));
}

TEST(EffectRegistrationTest, EveryRegistrationBroadcastsToRunningPlayers) {
  NoticeListener listener;
  ASSERT_NE(listener.Window(), nullptr);
  auto registerServer = ModuleExport("DllRegisterServer");
  auto unregisterServer = ModuleExport("DllUnregisterServer");
  ASSERT_TRUE(registerServer && unregisterServer);
  EXPECT_EQ(registerServer(), S_OK);
  EXPECT_EQ(listener.Notices(), 1);
  EXPECT_EQ(unregisterServer(), S_OK);
  EXPECT_EQ(listener.Notices(), 2);
}

// The player's Effects key made volatile for the test's time: the system refuses it a lasting
// subkey, so the registrar cannot write the effect's key. Only where the key holds no other
// effect; put back as it was at the end.
class VolatileEffectsKey {
 public:
  VolatileEffectsKey() {
    mExisted = KeyExists(HKEY_LOCAL_MACHINE, kEffectsKey);
    if (mExisted && !OnlyOurs()) return;
    RemoveEffectsKey();
    HKEY key = nullptr;
    mApplied = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kEffectsKey, 0, nullptr, REG_OPTION_VOLATILE,
                               KEY_READ, nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (key != nullptr) RegCloseKey(key);
  }
  ~VolatileEffectsKey() {
    if (!mApplied) return;
    RemoveEffectsKey();
    HKEY key = nullptr;
    if (mExisted && RegCreateKeyExW(HKEY_LOCAL_MACHINE, kEffectsKey, 0, nullptr, 0, KEY_READ,
                                    nullptr, &key, nullptr) == ERROR_SUCCESS) {
      RegCloseKey(key);
    }
  }
  bool Applied() const { return mApplied; }

 private:
  static bool OnlyOurs() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEffectsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    bool ours = true;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      ours = ours && _wcsicmp(name, L"Glimmora") == 0;
    }
    RegCloseKey(key);
    return ours;
  }
  static void RemoveEffectsKey() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kEffectsKey);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kEffectsKey);
  }

  bool mExisted = false;
  bool mApplied = false;
};

// A registration the registrar cannot complete still tells the running players, and its
// failure comes back unchanged: from the export itself, and through regsvr32 as its exit code 5.
TEST(EffectRegistrationTest, AFailedRegistrationBroadcastsAndReturnsItsFailure) {
  NoticeListener listener;
  ASSERT_NE(listener.Window(), nullptr);
  auto registerServer = ModuleExport("DllRegisterServer");
  ASSERT_NE(registerServer, nullptr);
  {
    VolatileEffectsKey unwritable;
    ASSERT_TRUE(unwritable.Applied()) << "the Effects key holds other effects";
    const HRESULT hr = registerServer();
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(listener.Notices(), 1) << "a failed registration broadcasts too";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEffectKey));
    EXPECT_EQ(Regsvr32(Quoted(EffectModulePath())), 5);
    EXPECT_EQ(listener.Notices(), 2) << "regsvr32's registration broadcasts too";
  }
  // What the script wrote before it failed is taken away again.
  EXPECT_EQ(Regsvr32(L"/u " + Quoted(EffectModulePath())), 0);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
}

}  // namespace
}  // namespace wmptest
