// Registration through regsvr32 as an installer runs it: the media center's plug-in keys under
// exactly the installed versions, the COM class with its program identifiers, control keys and
// type library, and all of it gone again after regsvr32 /u. The test program's environment
// (MediaCenterRegistration.h) has registered the control already; this test leaves it so.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NV_JMC/JmcIdentity.h"
#include "NV_JMC/tests/win/MediaCenterRegistration.h"
#include "players/jriver/JRiverStandInControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/WideText.h"

namespace {

const std::string kClassKey = std::string("CLSID\\") + jmc::kClassIdText;
const std::string kLibraryKey = "TypeLib\\" + Utf8(jmc::kLibraryIdTextW);

std::string TextValue(HKEY root, const std::string& key, const char* name) {
  char text[512] = {};
  DWORD size = sizeof(text) - 1;
  if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return "<missing>";
  return text;
}

DWORD NumberValue(HKEY root, const std::string& key, const char* name) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return 0xDEAD;
  return value;
}

// Subkey and value counts of a key; -1 each when the key is missing.
std::pair<int, int> Counts(const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return {-1, -1};
  DWORD subkeys = 0, values = 0;
  RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                   nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(opened);
  return {int(subkeys), int(values)};
}

void ExpectPluginValues(int version) {
  SCOPED_TRACE(version);
  const std::string key = PluginKey(version);
  EXPECT_EQ(Counts(key), std::make_pair(0, 6));
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, key, "CLSID"), jmc::kClassIdText);
  EXPECT_EQ(NumberValue(HKEY_LOCAL_MACHINE, key, "IVersion"), 2u);
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, key, "Company"), "Novalume Inc.");
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, key, "Version"), "2.5");
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, key, "URL"), jmc::kUrl);
  EXPECT_EQ(TextValue(HKEY_LOCAL_MACHINE, key, "Copyright"), jmc::kCopyright);
}

void ExpectClassRegistered(bool registered) {
  SCOPED_TRACE(registered ? "registered" : "unregistered");
  const char* keys[] = {"", "\\Control", "\\Insertable", "\\Programmable", "\\ToolboxBitmap32",
                        "\\InprocServer32", "\\MiscStatus\\1", "\\TypeLib", "\\ProgID"};
  for (const char* key : keys)
    EXPECT_EQ(KeyExists(HKEY_CLASSES_ROOT, kClassKey + key), registered) << key;
  EXPECT_EQ(KeyExists(HKEY_CLASSES_ROOT, jmc::kProgId), registered);
  EXPECT_EQ(KeyExists(HKEY_CLASSES_ROOT, jmc::kVersionIndependentProgId), registered);
  EXPECT_EQ(KeyExists(HKEY_CLASSES_ROOT, kLibraryKey), registered);
  if (!registered) return;
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, kClassKey + "\\MiscStatus\\1", nullptr), "131473");
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", nullptr),
            Utf8(InProgramFolder(L"NV_JMC.dll")));
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", "ThreadingModel"),
            "Apartment");
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, kClassKey + "\\TypeLib", nullptr),
            Utf8(jmc::kLibraryIdTextW));
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT, std::string(jmc::kProgId) + "\\CLSID", nullptr),
            jmc::kClassIdText);
  EXPECT_EQ(TextValue(HKEY_CLASSES_ROOT,
                      std::string(jmc::kVersionIndependentProgId) + "\\CurVer", nullptr),
            jmc::kProgId);
}

TEST(MediaCenterRegistration, WritesAndRemovesThePluginKeysOfTheInstalledVersions) {
  // Versions 10 and 50 lie outside what the media center ever used; 12 and 30 are installed.
  const int made[] = {10, 12, 50};
  for (const int version : made) MakeKey(ProbeKey(version));
  ExpectClassRegistered(true);

  ASSERT_EQ(Regsvr32(false), 0);
  ExpectPluginValues(12);
  ExpectPluginValues(jriver_standin::kDefaultVersion);
  EXPECT_EQ(Counts(ProbeKey(10)), std::make_pair(0, 0));
  EXPECT_EQ(Counts(ProbeKey(50)), std::make_pair(0, 0));
  EXPECT_EQ(Counts(ProbeKey(12) + "\\Plugins\\Display"), std::make_pair(1, 0));

  // Again: the values are written anew, nothing else appears.
  ASSERT_EQ(Regsvr32(false), 0);
  ExpectPluginValues(12);
  ExpectPluginValues(jriver_standin::kDefaultVersion);

  // Keys the media center made below the plug-in key go with it; Plugins\Display stays.
  MakeKey(PluginKey(jriver_standin::kDefaultVersion) + "\\Layout\\Panes");
  MakeKey(PluginKey(jriver_standin::kDefaultVersion) + "\\Saved");
  ASSERT_EQ(Regsvr32(true), 0);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, PluginKey(12)));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, PluginKey(jriver_standin::kDefaultVersion)));
  EXPECT_EQ(Counts(ProbeKey(jriver_standin::kDefaultVersion) + "\\Plugins\\Display"),
            std::make_pair(0, 0));
  ExpectClassRegistered(false);
  // Unregistering what is gone already still succeeds.
  EXPECT_EQ(Regsvr32(true), 0);

  for (const int version : made) RemoveKey(ProbeKey(version));
  ASSERT_EQ(Regsvr32(false), 0);
  ExpectClassRegistered(true);
  ExpectPluginValues(jriver_standin::kDefaultVersion);
}

// The system's registrar made unusable for as long as the object lives: its class names a
// server file that does not exist, so that creating it fails in every process started
// meanwhile. The class's own server is named again at the end.
class BrokenRegistrar {
 public:
  BrokenRegistrar() {
    mSaved = TextValue(HKEY_CLASSES_ROOT, kServerKey, nullptr);
    if (mSaved == "<missing>") return;
    mBroken = SetServer("C:\\windows\\system32\\no-such-registrar.dll");
  }
  ~BrokenRegistrar() {
    if (mBroken) SetServer(mSaved);
  }
  bool Broken() const { return mBroken; }

 private:
  static constexpr char kServerKey[] =
      "CLSID\\{44EC053A-400F-11D0-9DCD-00A0C90391D3}\\InprocServer32";

  static bool SetServer(const std::string& path) {
    return RegSetKeyValueA(HKEY_CLASSES_ROOT, kServerKey, nullptr, REG_SZ, path.c_str(),
                           DWORD(path.size() + 1)) == ERROR_SUCCESS;
  }

  std::string mSaved;
  bool mBroken = false;
};

// regsvr32 reports a registration that could not be done with its exit code 5; with the
// registrar back, registering works again.
TEST(MediaCenterRegistration, AFailedRegistrationIsExitCode5) {
  {
    BrokenRegistrar broken;
    ASSERT_TRUE(broken.Broken());
    EXPECT_EQ(Regsvr32(false), 5);
    // The class registration made before is still whole.
    ExpectClassRegistered(true);
    EXPECT_EQ(Regsvr32(true), 5);
  }
  ASSERT_EQ(Regsvr32(false), 0);
  ExpectClassRegistered(true);
  ExpectPluginValues(jriver_standin::kDefaultVersion);
}

}  // namespace
