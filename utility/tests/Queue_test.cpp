#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "utility/LogMessage.h"
#include "utility/NVQueue.h"
#include "utility/tests/CountingObject.h"

namespace {

void* AsItem(intptr_t v) {
  return reinterpret_cast<void*>(v);
}

// Appends 1..count (as pointer values).
void Fill(NVQueue& queue, int count) {
  for (int i = 1; i <= count; ++i) ASSERT_TRUE(queue.Append(AsItem(i)));
}

std::vector<intptr_t> Contents(const NVQueue& queue) {
  std::vector<intptr_t> values;
  for (int32_t i = 0; i < queue.Count(); ++i)
    values.push_back(reinterpret_cast<intptr_t>(queue.At(i)));
  return values;
}

TEST(NVQueueTest, StartsEmptyAndGrowsTo16ThenFourfold) {
  NVQueue queue;
  EXPECT_EQ(queue.Capacity(), 0);
  EXPECT_EQ(queue.Count(), 0);

  queue.Append(AsItem(1));
  EXPECT_EQ(queue.Capacity(), 16);
  Fill(queue, 15);
  EXPECT_EQ(queue.Capacity(), 16);
  queue.Append(AsItem(17));
  EXPECT_EQ(queue.Capacity(), 64);
  EXPECT_EQ(queue.Count(), 17);
}

TEST(NVQueueTest, GrowingAWrappedRingKeepsTheOrder) {
  NVQueue queue;
  Fill(queue, 16);
  queue.RemoveRange(0, 4);                                 // head moves to 4
  for (int i = 17; i <= 20; ++i) queue.Append(AsItem(i));  // wraps into slots 0..3
  ASSERT_EQ(queue.Capacity(), 16);

  queue.Append(AsItem(21));

  EXPECT_EQ(queue.Capacity(), 64);
  EXPECT_EQ(queue.Head(), 0);
  std::vector<intptr_t> expected;
  for (int i = 5; i <= 21; ++i) expected.push_back(i);
  EXPECT_EQ(Contents(queue), expected);
}

TEST(NVQueueTest, GrowNeverShrinks) {
  NVQueue queue;
  Fill(queue, 3);
  queue.Grow(100);
  EXPECT_EQ(queue.Capacity(), 128);
  queue.Grow(4);
  EXPECT_EQ(queue.Capacity(), 128);
  EXPECT_EQ(Contents(queue), (std::vector<intptr_t>{1, 2, 3}));
}

TEST(NVQueueTest, RemoveRangeMovesTheShorterSide) {
  struct Case {
    const char* name;
    int32_t start;
    int32_t n;
    int32_t expectedHead;  // the head moves only when the front part was moved back
    std::vector<intptr_t> expected;
  };
  const Case cases[] = {
      {"first of ten", 0, 1, 1, {2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"eighth of ten", 7, 1, 0, {1, 2, 3, 4, 5, 6, 7, 9, 10}},
      {"middle, front shorter", 2, 3, 3, {1, 2, 6, 7, 8, 9, 10}},
      {"middle, back shorter", 5, 3, 0, {1, 2, 3, 4, 5, 9, 10}},
      {"equal sides move the front", 4, 2, 2, {1, 2, 3, 4, 7, 8, 9, 10}},
      {"last two", 8, 2, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"all", 0, 10, 0, {}},
      {"negative start clamps to 0", -3, 2, 2, {3, 4, 5, 6, 7, 8, 9, 10}},
      {"too long clamps to the end", 6, 50, 0, {1, 2, 3, 4, 5, 6}},
      {"nothing for n 0", 3, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"nothing for negative n", 3, -2, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"nothing past the end", 12, 1, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NVQueue queue;
    Fill(queue, 10);
    queue.RemoveRange(c.start, c.n);
    EXPECT_EQ(queue.Head(), c.expectedHead);
    EXPECT_EQ(Contents(queue), c.expected);
  }
}

TEST(NVQueueTest, RemovalFromAWrappedRingFollowsTheHead) {
  NVQueue queue;
  Fill(queue, 16);
  queue.RemoveRange(0, 14);                                // head 14: elements 15, 16
  for (int i = 17; i <= 20; ++i) queue.Append(AsItem(i));  // slots 0..3
  ASSERT_EQ(queue.Head(), 14);

  queue.RemoveRange(1, 1);  // front side (one element) is shorter: head wraps past the end

  EXPECT_EQ(queue.Head(), 15);
  EXPECT_EQ(Contents(queue), (std::vector<intptr_t>{15, 17, 18, 19, 20}));
  queue.RemoveRange(0, 1);
  EXPECT_EQ(queue.Head(), 0);
  EXPECT_EQ(Contents(queue), (std::vector<intptr_t>{17, 18, 19, 20}));
}

TEST(NVQueueTest, IndexOfFindsTheFirstEqualPointer) {
  NVQueue queue;
  Fill(queue, 5);
  queue.Append(AsItem(3));
  EXPECT_EQ(queue.IndexOf(AsItem(3)), 2);
  EXPECT_EQ(queue.IndexOf(AsItem(1)), 0);
  EXPECT_EQ(queue.IndexOf(AsItem(42)), -1);
  EXPECT_EQ(queue.At(6), nullptr);
  EXPECT_EQ(queue.At(-1), nullptr);
}

TEST(NVQueueTest, OwnedObjectsAreReleasedExactlyOnce) {
  std::vector<CountingObject> objects(6);
  {
    NVQueue queue(NVQueue::kOwnsObjects);
    for (CountingObject& object : objects) queue.Append(&object);
    queue.Append(nullptr);  // nulls are skipped

    queue.RemoveRange(1, 2);
    EXPECT_EQ(objects[0].releases, 0);
    EXPECT_EQ(objects[1].releases, 1);
    EXPECT_EQ(objects[2].releases, 1);
    EXPECT_EQ(objects[3].releases, 0);
  }
  for (size_t i = 0; i < objects.size(); ++i) {
    EXPECT_EQ(objects[i].releases, 1) << "object " << i;
  }
}

TEST(NVQueueTest, PlainPointersAreLeftAlone) {
  std::vector<CountingObject> objects(3);
  {
    NVQueue queue;
    for (CountingObject& object : objects) queue.Append(&object);
    queue.RemoveRange(0, 1);
  }
  for (const CountingObject& object : objects) EXPECT_EQ(object.releases, 0);
}

TEST(NVQueueTest, OwnedHeapBlocksAreFreed) {
  // The sanitizers of the native tree report a block freed twice or never.
  NVQueue queue(NVQueue::kOwnsHeapBlocks);
  for (int i = 0; i < 5; ++i) queue.Append(malloc(32));
  queue.RemoveRange(3, 1);
  queue.RemoveRange(0, 2);
  EXPECT_EQ(queue.Count(), 2);
}

TEST(NVQueueTest, PrintListsTheElements) {
  EnableCategory(1);
  struct Case {
    int count;
    const char* expected;
  };
  const Case cases[] = {
      {0, "): { } <0 total>"},
      {3, "): { 1, 2, 3 } <3 total>"},
      {300, ", 255, 256, ... <44 additional> } <300 total>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    NVQueue queue;
    Fill(queue, c.count);
    testing::internal::CaptureStdout();
    queue.Print();
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_THAT(output, testing::StartsWith("NVQueue (0x"));
    EXPECT_THAT(output, testing::HasSubstr(c.expected));
  }
}

}  // namespace
