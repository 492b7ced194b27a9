// The engine loader end to end: products installed in the system's support folders, the
// reference engine and deliberately broken libraries loaded with the real system loader.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "testsupport/win/Folders.h"
#include "testsupport/win/InstalledProduct.h"
#include "testsupport/win/RefEngineJournal.h"
#include "testsupport/win/ReferenceEngine.h"
#include "testsupport/win/WideText.h"
#include "utility/NVFileSpec.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/engine/EngineLoader.h"
#include "visualhost/engine/LibraryHandle.h"
#include "visualhost/host/VisualHost.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
using refengine_journal::ReadJournalFile;

constexpr int kProgramFiles = SpecialFolderKind::kProgramFiles;
constexpr int kCommonFiles = SpecialFolderKind::kCommonFiles;
constexpr int kProgramFiles32 = SpecialFolderKind::kProgramFiles32;
const wchar_t kProduct[] = L"LoaderTestProduct";
// The retry name of the engine library for this process's architecture.
const wchar_t* const kArchitectureEngine =
    sizeof(void*) == 8 ? L"Engine.x64.dll" : L"Engine.x86.dll";
constexpr bool kIs64Bit = sizeof(void*) == 8;

std::wstring Wide(const NVFileSpec& spec) {
  std::wstring wide(size_t(spec.Path().Length()) + 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, spec.Text(), -1, wide.data(), int(wide.size()));
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

bool ModuleLoaded(const std::wstring& path) {
  return GetModuleHandleW(path.c_str()) != nullptr;
}

class EngineLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The common files folder is asked of the shell, which must be loaded for that.
    shell = LoadLibraryW(L"shell32.dll");
    journalPath = ProgramFolder() + L"loader-journal.txt";
    DeleteFileW(journalPath.c_str());
    SetEnvironmentVariableW(L"" REFENGINE_JOURNAL_ENV, journalPath.c_str());
    directoryBefore = CurrentDirectory();
  }
  void TearDown() override {
    EXPECT_EQ(CurrentDirectory(), directoryBefore);
    SetEnvironmentVariableW(L"" REFENGINE_JOURNAL_ENV, nullptr);
    DeleteFileW(journalPath.c_str());
    if (shell != nullptr) FreeLibrary(shell);
  }

  std::vector<JournalEntry> Journal() const { return ReadJournalFile(Utf8(journalPath)); }

  HMODULE shell = nullptr;
  std::wstring journalPath;
  std::wstring directoryBefore;
};

TEST_F(EngineLoadingTest, ProductIsFoundUnderEachSupportFolder) {
  for (int kind : {kProgramFiles, kCommonFiles, kProgramFiles32}) {
    SCOPED_TRACE(kind);
    InstalledProduct product(kind, kProduct);
    EngineLoader loader;
    ASSERT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), 0);
    EXPECT_EQ(Wide(loader.ProductFolder()), product.Folder());
    EXPECT_NE(loader.Table(), nullptr);
    EXPECT_TRUE(ModuleLoaded(product.FileInFolder(L"GlimmoraEngine.dll")));
    loader.Unbind();
    EXPECT_FALSE(ModuleLoaded(product.FileInFolder(L"GlimmoraEngine.dll")));
    EXPECT_TRUE(loader.ProductFolder().IsEmpty());
    EXPECT_EQ(CurrentDirectory(), directoryBefore);
  }
}

TEST_F(EngineLoadingTest, FirstSupportFolderInOrderOfPreferenceWins) {
  // A 32-bit process's Program Files folder is "Program Files (x86)", the very folder of the
  // third candidate (and its common files lie inside it): rows that need the two apart are
  // for 64-bit processes only, and there the third candidate is found first.
  enum Width { kBoth, k64Only, k32Only };
  struct Case {
    std::vector<int> installedIn;
    int expected;
    Width width;
  };
  const Case cases[] = {
      {{kProgramFiles32, kProgramFiles}, kProgramFiles, k64Only},
      {{kProgramFiles32, kCommonFiles}, kCommonFiles, k64Only},
      {{kProgramFiles32, kCommonFiles}, kProgramFiles32, k32Only},
      {{kProgramFiles32, kCommonFiles, kProgramFiles}, kProgramFiles, k64Only},
      {{kCommonFiles, kProgramFiles}, kProgramFiles, kBoth},
  };
  for (const Case& c : cases) {
    if (c.width == (kIs64Bit ? k32Only : k64Only)) continue;
    SCOPED_TRACE(c.expected);
    std::vector<std::unique_ptr<InstalledProduct>> installed;
    std::wstring expectedFolder;
    for (int kind : c.installedIn) {
      installed.push_back(std::make_unique<InstalledProduct>(kind, kProduct));
      if (kind == c.expected) expectedFolder = installed.back()->Folder();
    }
    EngineLoader loader;
    EXPECT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), 0);
    EXPECT_EQ(Wide(loader.ProductFolder()), expectedFolder);
  }
}

TEST_F(EngineLoadingTest, ThirdCandidateFollowsTheProgramFilesX86Variable) {
  wchar_t original[1024] = {};
  const DWORD originalLength = GetEnvironmentVariableW(L"ProgramFiles(x86)", original, 1024);
  const std::wstring redirected = ProgramFolder() + L"x86-support";
  CreateDirectoryW(redirected.c_str(), nullptr);
  SetEnvironmentVariableW(L"ProgramFiles(x86)", redirected.c_str());
  {
    InstalledProduct product(kProgramFiles32, kProduct);
    EXPECT_EQ(product.Folder(), redirected + L"\\Novalume\\" + kProduct);
    EngineLoader loader;
    EXPECT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), 0);
    EXPECT_EQ(Wide(loader.ProductFolder()), product.Folder());
  }
  SetEnvironmentVariableW(L"ProgramFiles(x86)",
                          originalLength > 0 && originalLength < 1024 ? original : nullptr);
  RemoveDirectoryW(redirected.c_str());
}

TEST_F(EngineLoadingTest, ProductFolderWithoutProductFileIsSkipped) {
  InstalledProduct::Options noFile;
  noFile.engineTxt = false;
  {
    InstalledProduct withoutFile(kProgramFiles, kProduct, noFile);
    EngineLoader loader;
    EXPECT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), 55100);
    EXPECT_TRUE(loader.ProductFolder().IsEmpty());

    InstalledProduct complete(kCommonFiles, kProduct);
    EXPECT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), 0);
    EXPECT_EQ(Wide(loader.ProductFolder()), complete.Folder());
  }
}

TEST_F(EngineLoadingTest, LibraryThatIsNotLoadableIsRetriedUnderTheArchitectureName) {
  struct Case {
    const char* name;
    std::string libFileContent;  // empty: no file under the LIB name at all
  };
  const Case cases[] = {
      {"LIB names a file that is no library for this process", "not a library\n"},
      {"LIB names a missing file", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstalledProduct::Options options;
    options.libFile = L"Engine.dll";
    options.engineFile = kArchitectureEngine;
    options.libFileContent = c.libFileContent;
    InstalledProduct product(kProgramFiles, kProduct, options);
    EngineLoader loader;
    ASSERT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), 0);
    EXPECT_EQ(Wide(loader.Library().LibraryPath()), product.FileInFolder(kArchitectureEngine));
    EXPECT_TRUE(ModuleLoaded(product.FileInFolder(kArchitectureEngine)));
  }
}

TEST_F(EngineLoadingTest, BrokenLibrariesGiveTheirStatusAndLeaveNothingLoaded) {
  struct Case {
    const char* name;
    InstalledProduct::Options options;
    int32_t status;
  };
  InstalledProduct::Options notADll;
  notADll.libFile = L"Broken.dll";
  notADll.engineSource.clear();
  notADll.libFileContent = "MZ but nothing more";
  InstalledProduct::Options halfEngine;
  halfEngine.libFile = L"HalfEngine.dll";
  halfEngine.engineSource = L"HalfEngine.dll";
  InstalledProduct::Options missing;
  missing.engineSource.clear();
  const Case cases[] = {
      {"file that is not a library", notADll, 55040},
      {"ReleaseNVVisualAPI missing", halfEngine, 55041},
      {"library file missing", missing, 55040},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstalledProduct product(kProgramFiles, kProduct, c.options);
    EngineLoader loader;
    EXPECT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), c.status);
    EXPECT_EQ(loader.Table(), nullptr);
    EXPECT_FALSE(loader.Library().IsLoaded());
    EXPECT_FALSE(ModuleLoaded(product.FileInFolder(c.options.libFile)));
    EXPECT_EQ(CurrentDirectory(), directoryBefore);
  }
}

TEST_F(EngineLoadingTest, HalfEngineIsNeverAskedForItsTable) {
  InstalledProduct::Options halfEngine;
  halfEngine.libFile = L"HalfEngine.dll";
  halfEngine.engineSource = L"HalfEngine.dll";
  InstalledProduct product(kProgramFiles, kProduct, halfEngine);
  // Held by the test, so that the count survives the loader's unload.
  const HMODULE held = LoadLibraryW(product.FileInFolder(L"HalfEngine.dll").c_str());
  ASSERT_NE(held, nullptr);
  auto calls = reinterpret_cast<int32_t (*)()>(
      reinterpret_cast<void*>(GetProcAddress(held, "HalfEngineGetApiCalls")));
  ASSERT_NE(calls, nullptr);
  EngineLoader loader;
  EXPECT_EQ(loader.LoadByName(UtilStr(Utf8(kProduct).c_str()), nullptr), 55041);
  EXPECT_EQ(calls(), 0);
  FreeLibrary(held);
}

TEST_F(EngineLoadingTest, FailingGetApiGivesItsStatusOnceAndIsNeverRetried) {
  struct Case {
    const char* name;
    int32_t status;
    int32_t nullTable;
    int32_t expected;
  };
  const Case cases[] = {
      {"engine refuses", 55123, 0, 55123},
      {"success without a table", 0, 1, 55034},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstalledProduct product(kProgramFiles, kProduct);
    const std::wstring dll = product.FileInFolder(L"GlimmoraEngine.dll");
    // Held by the test so the control setting is in place when the loader loads it.
    const HMODULE held = LoadLibraryW(dll.c_str());
    ASSERT_NE(held, nullptr);
    const RefEngineControlApi* control = EngineControl(dll);
    ASSERT_NE(control, nullptr);
    control->Reset();
    control->FailGetApi(c.status, c.nullTable);

    EngineLibrary* library = new EngineLibrary();
    library->SetName(UtilStr(Utf8(kProduct).c_str()));
    EXPECT_EQ(library->GetTable(), nullptr);
    EXPECT_EQ(library->GetTable(), nullptr);
    EXPECT_EQ(library->Status(), c.expected);
    EXPECT_FALSE(library->Loader().Library().IsLoaded());
    const auto asked = EntriesOf(Journal(), "GetNVVisualAPI");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Number("version"), kEngineApiVersion);
    EXPECT_EQ(asked[0].Number("status"), c.status);
    EXPECT_TRUE(EntriesOf(Journal(), "ReleaseNVVisualAPI").empty());
    library->Release();
    control->Reset();
    FreeLibrary(held);
    EXPECT_FALSE(ModuleLoaded(dll));
    DeleteFileW(journalPath.c_str());
  }
}

TEST_F(EngineLoadingTest, PathsLongerThanTheWideBuffersGiveAStatus) {
  struct Case {
    const char* name;
    size_t nameLength;
    int32_t status;
  };
  const Case cases[] = {
      {"library path of 1100 characters", 1100, 55040},
      {"library path of 5000 characters", 5000, 55040},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NVFileSpec path;
    path.SetPath(UtilStr(("C:\\" + std::string(c.nameLength, 'a') + ".dll").c_str()));
    LibraryHandle library;
    EXPECT_EQ(library.Load(path), c.status);
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_TRUE(library.LibraryPath().IsEmpty());
    EngineLoader loader;
    EXPECT_EQ(loader.Bind(path), c.status);
    EXPECT_EQ(CurrentDirectory(), directoryBefore);
  }
}

TEST_F(EngineLoadingTest, EmptyLibraryPathGives55011) {
  LibraryHandle library;
  EXPECT_EQ(library.Load(NVFileSpec()), 55011);
}

TEST_F(EngineLoadingTest, TwoHostsShareOneLibraryUnloadedAfterBothAreReleased) {
  InstalledProduct product(kProgramFiles, kProduct);
  const std::wstring dll = product.FileInFolder(L"GlimmoraEngine.dll");
  EngineLibrary* library = new EngineLibrary();
  library->SetName(UtilStr(Utf8(kProduct).c_str()));

  VisualHost* first = new VisualHost();
  VisualHost* second = new VisualHost();
  first->SetDescriptor("Host=\"First\"");
  second->SetDescriptor("Host=\"Second\"");
  first->AttachEngine(library);
  second->AttachEngine(library);
  library->Release();
  first->StartInstance();
  second->StartInstance();
  ASSERT_EQ(first->Status(), 0);
  ASSERT_EQ(second->Status(), 0);
  EXPECT_NE(first->Instance(), second->Instance());
  EXPECT_EQ(first->Table(), second->Table());

  first->Release();
  EXPECT_TRUE(ModuleLoaded(dll));
  second->Release();
  EXPECT_FALSE(ModuleLoaded(dll));

  const std::vector<JournalEntry> journal = Journal();
  std::vector<std::string> lifecycle;
  for (const std::string& call : refengine_journal::CallsOf(journal)) {
    if (call != "SetTarget") lifecycle.push_back(call);
  }
  EXPECT_EQ(lifecycle,
            (std::vector<std::string>{"GetNVVisualAPI", "CreateInstance", "CreateInstance",
                                      "DestroyInstance", "DestroyInstance", "ReleaseNVVisualAPI"}));
  const auto created = EntriesOf(journal, "CreateInstance");
  ASSERT_EQ(created.size(), 2u);
  EXPECT_NE(created[0].Get("descriptor").find("First"), std::string::npos);
}

TEST_F(EngineLoadingTest, HostOfAMissingProductStaysUsable) {
  EngineLibrary* library = new EngineLibrary();
  library->SetName(UtilStr("NoSuchProductAnywhere"));
  VisualHost* host = new VisualHost();
  host->AttachEngine(library);
  library->Release();
  host->StartInstance();
  EXPECT_EQ(host->Status(), 55040);
  EXPECT_EQ(host->AttachWindow(nullptr, 0, nullptr), 55021);
  host->Step();
  host->Release();
}

}  // namespace
