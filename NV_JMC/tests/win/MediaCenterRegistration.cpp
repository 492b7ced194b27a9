#include "NV_JMC/tests/win/MediaCenterRegistration.h"

#include <gtest/gtest.h>

#include <memory>

#include "players/jriver/JRiverStandInControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/ProgramRun.h"

namespace {

constexpr DWORD kRegsvr32Ms = 30000;

std::wstring SystemProgram(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + name;
}

class RegisteredControl : public ::testing::Environment {
 public:
  void SetUp() override {
    mProduct = std::make_unique<InstalledProduct>(InstalledProduct::Options{});
    mMadeProbe = !KeyExists(HKEY_LOCAL_MACHINE, ProbeKey(jriver_standin::kDefaultVersion));
    MakeKey(ProbeKey(jriver_standin::kDefaultVersion));
    ASSERT_EQ(Regsvr32(false), 0) << "NV_JMC.dll could not be registered";
  }
  void TearDown() override {
    EXPECT_EQ(Regsvr32(true), 0) << "NV_JMC.dll could not be unregistered";
    if (mMadeProbe) RemoveKey(ProbeKey(jriver_standin::kDefaultVersion));
    mProduct.reset();
  }

 private:
  std::unique_ptr<InstalledProduct> mProduct;
  bool mMadeProbe = false;
};

[[maybe_unused]] ::testing::Environment* const gRegistered =
    ::testing::AddGlobalTestEnvironment(new RegisteredControl);

}  // namespace

long Regsvr32(bool unregister) {
  RunOptions options;
  options.arguments = std::wstring(unregister ? L"/u " : L"") + L"/s \"" +
                      InProgramFolder(L"NV_JMC.dll") + L"\"";
  ProgramRun run(SystemProgram(L"regsvr32.exe"), options);
  return run.WaitForExit(kRegsvr32Ms);
}

std::string ProbeKey(int version) {
  return "Software\\J. River\\Media Center " + std::to_string(version);
}

std::string PluginKey(int version) { return ProbeKey(version) + "\\Plugins\\Display\\Glimmora"; }

bool KeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void MakeKey(const std::string& key) {
  HKEY made = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &made, nullptr),
            ERROR_SUCCESS)
      << key;
  RegCloseKey(made);
}

void RemoveKey(const std::string& key) { RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str()); }
