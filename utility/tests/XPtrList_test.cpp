#include "utility/XPtrList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "utility/LogMessage.h"

namespace {

void* AsItem(intptr_t v) {
  return reinterpret_cast<void*>(v);
}

// Records the ranges announced before elements leave.
class RecordingList : public XPtrList {
 public:
  void OnRemove(int32_t first, int32_t last) override { removals.emplace_back(first, last); }
  std::vector<std::pair<int32_t, int32_t>> removals;
};

std::vector<intptr_t> Contents(const XPtrList& list) {
  std::vector<intptr_t> values;
  for (int32_t p = 1; p <= list.Count(); ++p)
    values.push_back(reinterpret_cast<intptr_t>(list.Get(p)));
  return values;
}

void AddAll(XPtrList& list, const std::vector<intptr_t>& values) {
  for (intptr_t v : values) list.Add(AsItem(v));
}

// Records carry a key the comparator looks at, so distinct records can compare equal.
struct Record {
  int key;
};

// Ascending keys: compare(a, b) > 0 when a's key is smaller.
int32_t ByKey(void* a, void* b, int64_t) {
  return static_cast<Record*>(b)->key - static_cast<Record*>(a)->key;
}

TEST(XPtrListTest, AddAppendsAndGrowsThreefoldPlus24) {
  XPtrList list;
  EXPECT_EQ(list.Capacity(), 0);
  EXPECT_EQ(list.CurrentMode(), XPtrList::kOrdered);
  EXPECT_EQ(list.Add(AsItem(30)), 1);
  EXPECT_EQ(list.Capacity(), 24);
  for (int i = 2; i <= 24; ++i) EXPECT_EQ(list.Add(AsItem(i)), i);
  EXPECT_EQ(list.Capacity(), 24);
  EXPECT_EQ(list.Add(AsItem(25)), 25);
  EXPECT_EQ(list.Capacity(), 96);
  EXPECT_EQ(list.Get(1), AsItem(30));
  EXPECT_EQ(list.Get(25), AsItem(25));
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.Get(26), nullptr);
}

TEST(XPtrListTest, InsertAtClampsTheIndex) {
  struct Case {
    int32_t index;
    std::vector<intptr_t> expected;
  };
  const Case cases[] = {
      {-4, {9, 1, 2, 3}}, {0, {9, 1, 2, 3}},  {1, {1, 9, 2, 3}},
      {3, {1, 2, 3, 9}},  {70, {1, 2, 3, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    XPtrList list;
    AddAll(list, {1, 2, 3});
    list.InsertAt(AsItem(9), c.index);
    EXPECT_EQ(Contents(list), c.expected);
  }
}

TEST(XPtrListTest, SortedModeInsertsInComparatorOrder) {
  XPtrList list;
  list.SetMode(XPtrList::kSorted);
  EXPECT_EQ(list.Add(AsItem(50)), 1);
  EXPECT_EQ(list.Add(AsItem(10)), 1);
  EXPECT_EQ(list.Add(AsItem(30)), 2);
  EXPECT_EQ(list.Add(AsItem(70)), 4);
  EXPECT_EQ(list.Add(AsItem(30)), 2);  // in front of its equal
  EXPECT_EQ(Contents(list), (std::vector<intptr_t>{10, 30, 30, 50, 70}));
}

TEST(XPtrListTest, SearchPositionIsTheInsertionIndex) {
  XPtrList list;
  list.SetMode(XPtrList::kSorted);
  EXPECT_EQ(list.SearchPosition(AsItem(5)), 0);
  AddAll(list, {10, 20, 30, 40});
  struct Case {
    intptr_t item;
    int32_t expected;
  };
  const Case cases[] = {{5, 0}, {10, 0}, {15, 1}, {20, 1}, {35, 3}, {40, 3}, {45, 4}};
  for (const Case& c : cases) {
    EXPECT_EQ(list.SearchPosition(AsItem(c.item)), c.expected) << "item " << c.item;
  }
}

TEST(XPtrListTest, EnteringSortedModeSortsTheElements) {
  XPtrList list;
  AddAll(list, {40, 10, 30, 20, 10});
  list.SetMode(XPtrList::kUnordered);
  EXPECT_EQ(Contents(list), (std::vector<intptr_t>{40, 10, 30, 20, 10}));
  list.SetMode(XPtrList::kSorted);
  EXPECT_EQ(Contents(list), (std::vector<intptr_t>{10, 10, 20, 30, 40}));
  list.SetMode(7);  // unknown: ignored
  EXPECT_EQ(list.CurrentMode(), XPtrList::kSorted);
}

TEST(XPtrListTest, CustomComparatorSortsRecords) {
  Record records[] = {{3}, {1}, {2}};
  XPtrList list;
  list.SetComparator(&ByKey, 0);
  for (Record& r : records) list.Add(&r);
  list.SetMode(XPtrList::kSorted);
  EXPECT_EQ(list.Get(1), &records[1]);
  EXPECT_EQ(list.Get(2), &records[2]);
  EXPECT_EQ(list.Get(3), &records[0]);
}

TEST(XPtrListTest, RemoveAtChecksThePositionAndAnnouncesTheRemoval) {
  struct Case {
    int32_t mode;
    int32_t position;
    bool expectedResult;
    std::vector<intptr_t> expected;
  };
  const Case cases[] = {
      {XPtrList::kOrdered, 0, false, {1, 2, 3, 4}},  {XPtrList::kOrdered, 5, false, {1, 2, 3, 4}},
      {XPtrList::kOrdered, -1, false, {1, 2, 3, 4}}, {XPtrList::kOrdered, 2, true, {1, 3, 4}},
      {XPtrList::kUnordered, 2, true, {1, 4, 3}},    {XPtrList::kUnordered, 4, true, {1, 2, 3}},
      {XPtrList::kSorted, 1, true, {2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", position " << c.position);
    RecordingList list;
    AddAll(list, {1, 2, 3, 4});
    list.SetMode(c.mode);
    EXPECT_EQ(list.RemoveAt(c.position), c.expectedResult);
    EXPECT_EQ(Contents(list), c.expected);
    if (c.expectedResult) {
      EXPECT_THAT(list.removals, testing::ElementsAre(std::make_pair(c.position, c.position)));
    } else {
      EXPECT_TRUE(list.removals.empty());
    }
  }
}

TEST(XPtrListTest, RemoveLooksAtTheNewestEightFirstInLongLists) {
  // Two records with key 7: one near the front, one among the last eight.
  struct Case {
    int count;
    int32_t expectedPosition;  // of the record that goes
  };
  const Case cases[] = {{16, 3}, {17, 12}, {20, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    std::vector<Record> records(c.count);
    for (int i = 0; i < c.count; ++i) records[i].key = 100 + i;
    records[2].key = 7;
    records[c.count - 6].key = 7;
    RecordingList list;
    list.SetComparator(&ByKey, 0);
    for (Record& r : records) list.Add(&r);

    Record probe{7};
    EXPECT_EQ(list.Remove(&probe), c.expectedPosition);
    EXPECT_EQ(list.Count(), c.count - 1);
    EXPECT_THAT(list.removals,
                testing::ElementsAre(std::make_pair(c.expectedPosition, c.expectedPosition)));
  }
}

TEST(XPtrListTest, RemoveInSortedModeTakesTheExactPointerAmongEquals) {
  Record records[] = {{1}, {5}, {5}, {5}, {9}};
  XPtrList list;
  list.SetComparator(&ByKey, 0);
  list.SetMode(XPtrList::kSorted);
  for (Record& r : records) list.Add(&r);
  const int32_t expected = [&] {
    for (int32_t p = 1; p <= list.Count(); ++p) {
      if (list.Get(p) == &records[2]) return p;
    }
    return 0;
  }();
  ASSERT_NE(expected, 0);

  EXPECT_EQ(list.Remove(&records[2]), expected);
  EXPECT_EQ(list.Count(), 4);
  Record stranger{5};
  EXPECT_EQ(list.Remove(&stranger), 0);
  EXPECT_EQ(list.Count(), 4);
}

TEST(XPtrListTest, RemoveOfAnAbsentItemChangesNothing) {
  RecordingList list;
  AddAll(list, {1, 2, 3});
  EXPECT_EQ(list.Remove(AsItem(4)), 0);
  EXPECT_EQ(list.Remove(AsItem(2)), 2);
  EXPECT_EQ(Contents(list), (std::vector<intptr_t>{1, 3}));
  EXPECT_EQ(list.removals.size(), 1u);
}

TEST(XPtrListTest, RemoveAllAnnouncesTheWholeRange) {
  RecordingList list;
  list.RemoveAll();
  EXPECT_TRUE(list.removals.empty());
  AddAll(list, {1, 2, 3});
  list.RemoveAll();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THAT(list.removals, testing::ElementsAre(std::make_pair(1, 3)));
}

TEST(XPtrListTest, DefaultComparatorIsTheWrappedDifferenceOfLowBits) {
  EXPECT_EQ(XPtrList::ComparePointerValues(AsItem(10), AsItem(25), 0), 15);
  EXPECT_EQ(XPtrList::ComparePointerValues(AsItem(25), AsItem(10), 0), -15);
  EXPECT_EQ(XPtrList::ComparePointerValues(AsItem(0), AsItem(0x7FFFFFFF), 0), 0x7FFFFFFF);
}

TEST(XPtrListTest, PrintListsCountAndElements) {
  EnableCategory(1);
  XPtrList list;
  AddAll(list, {0x10, 0xAB});
  testing::internal::CaptureStdout();
  list.Print();
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_THAT(output, testing::StartsWith("XPtrList (0x"));
  EXPECT_THAT(output, testing::HasSubstr("): mNumElements = 2"));
  EXPECT_THAT(output, testing::HasSubstr("   0: 0x10"));
  EXPECT_THAT(output, testing::HasSubstr("   1: 0xAB"));
}

}  // namespace
