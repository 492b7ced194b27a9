// A test fixture with a host of the test's own class running on the fake engine: the engine is
// reset, the host started with the stand-alone descriptor, and both are released afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "visualhost/host/HostDescriptors.h"
#include "visualhost/tests/FakeEngine.h"

template <class Host>
class FakeEngineHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeEngine::Get().Reset();
    library = MakeFakeLibrary(NVStatus::kOk, std::make_shared<FakeEngineLoader::Counters>());
    host = new Host();
    host->SetDescriptor(HostDescriptor::kStandalone);
    host->AttachEngine(library);
    host->StartInstance();
  }
  void TearDown() override {
    if (host != nullptr) host->Release();
    library->Release();
  }

  FakeEngine& engine = FakeEngine::Get();
  EngineLibrary* library = nullptr;
  Host* host = nullptr;
};
