// The shared COM registration helpers, through a probe module that carries a registrar script
// and a type library: register, read the registry back, unregister, read it again.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "testsupport/win/Folders.h"

namespace {

constexpr const wchar_t* kClassKey = L"CLSID\\{5D1B7C30-2E6A-4B8F-9C41-7A0E3D9F1B21}";
constexpr const wchar_t* kLibraryKey = L"TypeLib\\{5D1B7C30-2E6A-4B8F-9C41-7A0E3D9F1B22}";
constexpr const wchar_t* kKeptParent = L"Software\\NovalumeRegistrationProbe";
constexpr const wchar_t* kEntryKey = L"Software\\NovalumeRegistrationProbe\\Entry";
#ifdef _WIN64
constexpr const wchar_t* kLibraryPathKey =
    L"TypeLib\\{5D1B7C30-2E6A-4B8F-9C41-7A0E3D9F1B22}\\1.0\\0\\win64";
#else
constexpr const wchar_t* kLibraryPathKey =
    L"TypeLib\\{5D1B7C30-2E6A-4B8F-9C41-7A0E3D9F1B22}\\1.0\\0\\win32";
#endif

bool KeyExists(HKEY root, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The text value (empty name: the key's default), or "<missing>".
std::wstring TextValue(HKEY root, const wchar_t* path, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return text;
}

class ComRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = InProgramFolder(L"RegistrationProbe.dll");
    module_ = LoadLibraryW(path_.c_str());
    ASSERT_NE(module_, nullptr);
    run_script_ = Export<HRESULT(*)(BOOL)>("ProbeRunScript");
    register_library_ = Export<HRESULT(*)()>("ProbeRegisterTypeLibrary");
    unregister_library_ = Export<HRESULT(*)()>("ProbeUnregisterTypeLibrary");
    ASSERT_TRUE(run_script_ && register_library_ && unregister_library_);
  }
  void TearDown() override {
    if (run_script_) run_script_(FALSE);
    if (unregister_library_) unregister_library_();
    RegDeleteTreeW(HKEY_CURRENT_USER, kKeptParent);
    if (module_) FreeLibrary(module_);
  }
  template <typename Function>
  Function Export(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  std::wstring path_;
  HMODULE module_ = nullptr;
  HRESULT (*run_script_)(BOOL) = nullptr;
  HRESULT (*register_library_)() = nullptr;
  HRESULT (*unregister_library_)() = nullptr;
};

TEST_F(ComRegistrationTest, ScriptWritesWithTheModulePathAndRemovesOnlyWhatItMayRemove) {
  ASSERT_EQ(run_script_(TRUE), S_OK);
  const std::wstring inproc = std::wstring(kClassKey) + L"\\InprocServer32";
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, kClassKey, nullptr), L"Registration probe");
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, inproc.c_str(), nullptr), path_);
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, inproc.c_str(), L"ThreadingModel"), L"Apartment");
  const std::wstring properties = std::wstring(kEntryKey) + L"\\Properties";
  EXPECT_EQ(TextValue(HKEY_CURRENT_USER, properties.c_str(), L"name"), L"probe");

  ASSERT_EQ(run_script_(FALSE), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kEntryKey)) << "ForceRemove key with its subkeys";
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKeptParent)) << "NoRemove key stays";
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

TEST_F(ComRegistrationTest, ScriptRunsFromAThreadInTheMultiThreadedApartment) {
  HRESULT registered = E_FAIL;
  HRESULT removed = E_FAIL;
  std::thread caller([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    registered = run_script_(TRUE);
    removed = run_script_(FALSE);
    CoUninitialize();
  });
  caller.join();
  EXPECT_EQ(registered, S_OK);
  EXPECT_EQ(removed, S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
}

TEST_F(ComRegistrationTest, TypeLibraryIsRegisteredUnderTheModulePathAndRemovedTwiceWithoutError) {
  ASSERT_EQ(register_library_(), S_OK);
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, kLibraryPathKey, nullptr), path_);
  const std::wstring version = std::wstring(kLibraryKey) + L"\\1.0";
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, version.c_str(), nullptr), L"Registration probe library");

  EXPECT_EQ(unregister_library_(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kLibraryPathKey));
  EXPECT_EQ(unregister_library_(), S_OK) << "keys already gone count as removed";
}

TEST_F(ComRegistrationTest, UnregisteringAScriptThatWasNeverRunChangesNothingElse) {
  const HRESULT removed = run_script_(FALSE);
  EXPECT_TRUE(SUCCEEDED(removed)) << std::hex << removed;
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

}  // namespace
