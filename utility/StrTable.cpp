#include "utility/StrTable.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "utility/HashChains.h"
#include "utility/HashTableSizing.h"
#include "utility/TextFunctions.h"

namespace {

int32_t MeasuredLength(const char* name, int32_t length) {
  if (length >= 0) return length;
  const size_t n = strlen(name);
  return n > static_cast<size_t>(std::numeric_limits<int32_t>::max())
             ? std::numeric_limits<int32_t>::max()
             : static_cast<int32_t>(n);
}

}  // namespace

StrTable::~StrTable() {
  Clear();
  free(mBuckets);
}

uint32_t StrTable::BucketOf(const char* name, int32_t length, uint32_t bucketCount) const {
  return HashText(name, length, mCaseSensitive) & (bucketCount - 1);
}

bool StrTable::KeyEquals(const UtilStr& key, const char* name, int32_t length) const {
  if (key.Length() != length) return false;
  if (mCaseSensitive) return memcmp(key.Text(), name, static_cast<size_t>(length)) == 0;
  return CompareText(key.Text(), length, name, length, false) == 0;
}

StrTable::Entry** StrTable::FindLink(const char* name, int32_t length) const {
  if (mBuckets == nullptr) return nullptr;
  for (Entry** link = &mBuckets[BucketOf(name, length, mBucketCount)]; *link;
       link = &(*link)->next) {
    if (KeyEquals((*link)->key, name, length)) return link;
  }
  return nullptr;
}

bool StrTable::Set(const UtilStr& key, int64_t value, int32_t flags) {
  if (mCount + 1 > mGrowThreshold) Rehash(mCount + 1);
  if (Entry** link = FindLink(key.Text(), key.Length())) {
    Entry* entry = *link;
    // Storing the owned object that is already there must not end it.
    if (entry->value != value) ReleaseTableValue(entry->flags, entry->value);
    entry->value = value;
    entry->flags = flags;
    return true;
  }
  if (mBuckets == nullptr) return false;
  Entry*& head = mBuckets[BucketOf(key.Text(), key.Length(), mBucketCount)];
  head = new Entry{key, flags, value, head};
  ++mCount;
  return false;
}

int32_t StrTable::Get(const char* name, int32_t length, int64_t* value) const {
  Entry** link = name ? FindLink(name, MeasuredLength(name, length)) : nullptr;
  if (value) *value = link ? (*link)->value : 0;
  return link ? ((*link)->flags | kTableEntryFound) : 0;
}

void StrTable::Clear() {
  ClearChains(mBuckets, mBucketCount);
  mCount = 0;
}

void StrTable::Rehash(int32_t n) {
  if (n < 0) return;
  uint64_t wanted = BucketCountFor(n);
  if (wanted > (uint64_t{1} << 31)) wanted = uint64_t{1} << 31;
  const auto bucketCount = static_cast<uint32_t>(wanted);
  auto** buckets = static_cast<Entry**>(calloc(bucketCount, sizeof(Entry*)));
  if (buckets == nullptr) return;
  MoveChains(mBuckets, mBucketCount, buckets, [this, bucketCount](const Entry& e) {
    return BucketOf(e.key.Text(), e.key.Length(), bucketCount);
  });
  free(mBuckets);
  mBuckets = buckets;
  mBucketCount = bucketCount;
  mGrowThreshold = GrowThresholdFor(bucketCount);
}
