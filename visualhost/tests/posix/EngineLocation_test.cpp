// The native engine location and loading, with the native reference engine installed in a
// support folder of the test's own.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "refengine/RefEngineControl.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/engine/EngineLoader.h"
#include "visualhost/engine/ProductFolderSearch.h"
#include "visualhost/engine/ProductInfo.h"
#include "visualhost/tests/posix/NativeProduct.h"

namespace {

// The file of the loaded library that holds the address.
std::string LibraryHolding(void* address) {
  Dl_info info{};
  return dladdr(address, &info) != 0 && info.dli_fname != nullptr ? info.dli_fname : "";
}

// The reference engine's journal, read through its control export in the loaded library.
std::string EngineJournal(const EngineLoader& loader) {
  auto control =
      reinterpret_cast<RefEngineControlFn>(loader.Library().FindExport(REFENGINE_CONTROL_EXPORT));
  if (control == nullptr) return "<no control export>";
  const RefEngineControlApi* api = control(REFENGINE_CONTROL_VERSION);
  std::string text;
  char line[512];
  for (int32_t i = 0; api->JournalLine(i, line, sizeof line) >= 0; ++i)
    text += line + std::string("\n");
  return text;
}

TEST(EngineLocationTest, AnInstalledProductIsFoundReadAndBound) {
  NativeProduct product(NativeReferenceEnginePath());
  EngineLoader loader;
  ProductInfo info{};
  ASSERT_EQ(loader.LoadByName(UtilStr("Glimmora"), &info), NVStatus::kOk);
  EXPECT_STREQ(info.productName, "Glimmora");
  EXPECT_STREQ(loader.ProductFolder().Text(),
               (product.SupportFolder() + "\\Novalume\\Glimmora").c_str());
  ASSERT_NE(loader.Table(), nullptr);
  EXPECT_NE(EngineJournal(loader).find("GetNVVisualAPI version=20"), std::string::npos)
      << EngineJournal(loader);
  loader.Unbind();
  EXPECT_FALSE(loader.Library().IsLoaded());
  EXPECT_TRUE(loader.ProductFolder().IsEmpty());
}

TEST(EngineLocationTest, ProductsThatCannotBeUsedGiveTheirStatus) {
  struct Case {
    const char* name;
    std::string engine;     // what the product's library links to
    std::string engineTxt;  // empty: LIB names the library
    const char* product;
    int32_t status;
  };
  const Case cases[] = {
      {"another product only", NativeReferenceEnginePath(), "", "Other", NVStatus::kFolderNotFound},
      {"LIB names a missing file", NativeReferenceEnginePath(),
       "REVISION = 1\nPRODUCT_NAME = a\nVERSION = 1\nLIB = \"Missing.so\"\n", "Glimmora",
       NVStatus::kNotLoaded},
      {"LIB names a file that is no library", NativeReferenceEnginePath(),
       "REVISION = 1\nPRODUCT_NAME = a\nVERSION = 1\nLIB = \"Resources\\\\engine.txt\"\n",
       "Glimmora", NVStatus::kNotLoaded},
      {"a library without the engine's exports", LibraryHolding(reinterpret_cast<void*>(&dladdr)),
       "", "Glimmora", NVStatus::kMissingExport},
      {"no LIB", NativeReferenceEnginePath(), "REVISION = 1\nPRODUCT_NAME = a\nVERSION = 1\n",
       "Glimmora", NVStatus::kEmptyLibraryPath},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NativeProduct product(c.engine, c.engineTxt, c.product);
    EngineLoader loader;
    EXPECT_EQ(loader.LoadByName(UtilStr("Glimmora"), nullptr), c.status);
    EXPECT_EQ(loader.Table(), nullptr);
    EXPECT_FALSE(loader.Library().IsLoaded());
  }
}

TEST(EngineLocationTest, AnEngineLibraryGetsTheInstalledTableOrKeepsTheSearchFailure) {
  NativeProduct product(NativeReferenceEnginePath());
  auto* library = new EngineLibrary();
  library->SetName(UtilStr("Glimmora"));
  ASSERT_NE(library->GetTable(), nullptr);
  EXPECT_EQ(library->Status(), NVStatus::kOk);
  library->Release();
  // Without a support folder nothing is found, and the failure is kept.
  unsetenv(kSupportFolderVariable);
  auto* missing = new EngineLibrary();
  missing->SetName(UtilStr("Glimmora"));
  EXPECT_EQ(missing->GetTable(), nullptr);
  EXPECT_EQ(missing->Status(), NVStatus::kFolderNotFound);
  missing->Release();
}

}  // namespace
