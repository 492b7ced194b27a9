#include <gtest/gtest.h>

#include "utility/ExitCallbackList.h"
#include "visualhost/engine/EngineRegistry.h"
#include "visualhost/engine/SharedEngineLibrary.h"

namespace {

TEST(EngineRegistryTest, KeepsOneLibraryPerExactProductNameUntilTheExitCallbacksRun) {
  ASSERT_EQ(EngineRegistry::Instance(), nullptr);
  EngineRegistry* registry = EngineRegistry::CreateIfNeeded();
  ASSERT_NE(registry, nullptr);
  EXPECT_EQ(EngineRegistry::CreateIfNeeded(), registry);
  EXPECT_EQ(EngineRegistry::Instance(), registry);

  EngineLibrary* glimmora = registry->GetOrCreate(UtilStr("Glimmora"));
  EXPECT_EQ(registry->GetOrCreate(UtilStr("Glimmora")), glimmora);
  EngineLibrary* otherCase = registry->GetOrCreate(UtilStr("glimmora"));
  EXPECT_NE(otherCase, glimmora);
  EXPECT_EQ(registry->Count(), 2);
  EXPECT_STREQ(glimmora->Name().Text(), "Glimmora");
  EXPECT_EQ(glimmora->Status(), NVStatus::kNotStarted);
  EXPECT_EQ(glimmora->RefCount(), 1);

  // A host's own reference outlives the registry.
  glimmora->AddRef();
  ExitCallbackList::Run();
  EXPECT_EQ(EngineRegistry::Instance(), nullptr);
  EXPECT_EQ(glimmora->RefCount(), 1);
  glimmora->Release();
}

TEST(SharedEngineLibraryTest, OneNamedLibraryForTheProcessUntilTheExitCallbacksRun) {
  EXPECT_STREQ(SharedProductName().Text(), "Glimmora");
  EngineLibrary* shared = SharedEngineLibrary();
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(SharedEngineLibrary(), shared);
  EXPECT_STREQ(shared->Name().Text(), "Glimmora");
  EXPECT_EQ(shared->Status(), NVStatus::kNotStarted);

  shared->AddRef();
  ExitCallbackList::Run();
  EXPECT_EQ(shared->RefCount(), 1);
  shared->Release();
  EngineLibrary* renewed = SharedEngineLibrary();
  EXPECT_EQ(renewed->RefCount(), 1);
  ExitCallbackList::Run();
}

}  // namespace
