#include "utility/IntTable.h"

#include <cstdlib>

#include "utility/HashChains.h"
#include "utility/HashTableSizing.h"

// A 64-bit to 32-bit integer mix that spreads nearby keys (small counts, pointers, codes)
// over all the low bits the bucket mask keeps.
uint32_t IntTable::HashKey(uint64_t key) {
  uint64_t h = ~key + (key << 18);
  h ^= h >> 31;
  h *= 21;
  h ^= h >> 11;
  h *= 65;
  h ^= h >> 22;
  return static_cast<uint32_t>(h);
}

IntTable::~IntTable() {
  Clear();
  free(mBuckets);
}

IntTable::Entry** IntTable::FindLink(uint64_t key) const {
  if (mBuckets == nullptr) return nullptr;
  for (Entry** link = &mBuckets[BucketOf(key, mBucketCount)]; *link; link = &(*link)->next) {
    if ((*link)->key == key) return link;
  }
  return nullptr;
}

IntTable::Entry* IntTable::Set(uint64_t key, int64_t value, int32_t flags) {
  if (mCount + 1 > mGrowThreshold) Rehash(mCount + 1);
  if (Entry** link = FindLink(key)) {
    Entry* entry = *link;
    // Storing the owned object that is already there must not end it.
    if (entry->value != value) ReleaseTableValue(entry->flags, entry->value);
    entry->value = value;
    entry->flags = flags;
    return entry;
  }
  if (mBuckets == nullptr) return nullptr;
  Entry*& head = mBuckets[BucketOf(key, mBucketCount)];
  head = new Entry{key, flags, value, head};
  ++mCount;
  return head;
}

int32_t IntTable::Get(uint64_t key, int64_t* value) const {
  Entry** link = FindLink(key);
  if (value) *value = link ? (*link)->value : 0;
  return link ? ((*link)->flags | kTableEntryFound) : 0;
}

void IntTable::Clear() {
  ClearChains(mBuckets, mBucketCount);
  mCount = 0;
}

void IntTable::Rehash(int32_t n) {
  if (n < 0) return;
  const uint64_t wanted = BucketCountFor(n);
  if (wanted > (uint64_t{1} << 31)) return;
  const auto bucketCount = static_cast<uint32_t>(wanted);
  auto** buckets = static_cast<Entry**>(calloc(bucketCount, sizeof(Entry*)));
  if (buckets == nullptr) return;
  MoveChains(mBuckets, mBucketCount, buckets,
             [bucketCount](const Entry& e) { return BucketOf(e.key, bucketCount); });
  free(mBuckets);
  mBuckets = buckets;
  mBucketCount = bucketCount;
  mGrowThreshold = GrowThresholdFor(bucketCount);
}
