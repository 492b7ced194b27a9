#include "utility/ExitCallbackList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint64_t> gCalls;

void Record(uint64_t argument) {
  gCalls.push_back(argument);
}

class ExitCallbackListTest : public testing::Test {
 protected:
  void SetUp() override { gCalls.clear(); }
  ExitCallbackList list;
};

TEST_F(ExitCallbackListTest, RunsHighestPriorityFirstAndNewestFirstWithinOne) {
  struct Added {
    uint64_t argument;
    int32_t priority;
  };
  const Added added[] = {{1, 0}, {2, 5}, {3, 0}, {4, 5}, {5, -1}, {6, 0}};
  for (const Added& a : added) list.AddEntry(&Record, a.argument, a.priority);
  EXPECT_EQ(list.Count(), 6);

  list.RunEntries();

  EXPECT_EQ(gCalls, (std::vector<uint64_t>{4, 2, 6, 3, 1, 5}));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ExitCallbackListTest, IgnoresAdditionsBeyondCapacity) {
  for (uint64_t i = 0; i <= ExitCallbackList::kCapacity; ++i) list.AddEntry(&Record, i, 0);
  EXPECT_EQ(list.Count(), ExitCallbackList::kCapacity);

  list.RunEntries();

  ASSERT_EQ(gCalls.size(), static_cast<size_t>(ExitCallbackList::kCapacity));
  EXPECT_EQ(gCalls.front(), uint64_t{ExitCallbackList::kCapacity - 1});
  EXPECT_EQ(gCalls.back(), 0u);
}

TEST_F(ExitCallbackListTest, SecondRunCallsNothing) {
  list.AddEntry(&Record, 7, 0);
  list.RunEntries();
  list.RunEntries();
  EXPECT_EQ(gCalls, (std::vector<uint64_t>{7}));
}

TEST_F(ExitCallbackListTest, ListIsReusableAfterRun) {
  list.AddEntry(&Record, 1, 0);
  list.RunEntries();
  list.AddEntry(&Record, 2, 0);
  EXPECT_EQ(list.Count(), 1);
  list.RunEntries();
  EXPECT_EQ(gCalls, (std::vector<uint64_t>{1, 2}));
}

ExitCallbackList* gListUnderTest = nullptr;

void AddAnother(uint64_t argument) {
  gCalls.push_back(argument);
  gListUnderTest->AddEntry(&Record, argument + 100, 9);
}

void RunAgain(uint64_t argument) {
  gCalls.push_back(argument);
  gListUnderTest->RunEntries();
}

TEST_F(ExitCallbackListTest, CallAddedDuringRunIsMadeInTheSameRun) {
  gListUnderTest = &list;
  list.AddEntry(&Record, 1, 0);
  list.AddEntry(&AddAnother, 2, 0);
  list.RunEntries();
  // The pass under way finishes its own priority first; the new entry gets a pass of its own.
  EXPECT_EQ(gCalls, (std::vector<uint64_t>{2, 1, 102}));
}

TEST_F(ExitCallbackListTest, CallThatRunsTheListAgainIsNotRepeated) {
  gListUnderTest = &list;
  list.AddEntry(&Record, 1, 0);
  list.AddEntry(&RunAgain, 2, 0);
  list.RunEntries();
  EXPECT_EQ(gCalls, (std::vector<uint64_t>{2, 1}));
}

TEST_F(ExitCallbackListTest, NullCallbackIsNotStored) {
  list.AddEntry(nullptr, 1, 0);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
