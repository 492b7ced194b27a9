// The fake engine is strict: what a test did not tell it about fails that test.
#include "visualhost/tests/FakeEngine.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

class FakeEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.Reset();
    ASSERT_EQ(table->CreateInstance(&instance, 0, nullptr, nullptr, ""), 0);
  }

  FakeEngine& engine = FakeEngine::Get();
  const EngineTable* table = FakeEngine::Table();
  uint32_t instance = 0;
};

TEST_F(FakeEngineTest, ARequestWithoutAnAnswerFailsTheTestAndIsAnswered55012) {
  int64_t answer = 0;
  EXPECT_NONFATAL_FAILURE(answer = table->Request(instance, FourCC("Zzzz"), nullptr, nullptr),
                          "unexpected request 'Zzzz'");
  EXPECT_EQ(answer, NVStatus::kNotHandled);
  engine.answers[FourCC("Zzzz")] = {5};
  EXPECT_EQ(table->Request(instance, FourCC("Zzzz"), nullptr, nullptr), 5);
}

TEST_F(FakeEngineTest, ACallOnAnInstanceNotHandedOutOrDestroyedFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(table->RunFrame(instance + 1, nullptr, nullptr), "not a live instance");
  EXPECT_NONFATAL_FAILURE(table->SetTarget(0, nullptr, nullptr, 0), "not a live instance");
  table->DestroyInstance(instance);
  EXPECT_NONFATAL_FAILURE(table->DestroyInstance(instance), "not a live instance");
}

}  // namespace
