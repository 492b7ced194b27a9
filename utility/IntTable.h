// IntTable: a chained hash table from 64-bit integer keys to 64-bit values.
//
// Each entry is its own heap node; chains are singly linked from a power-of-two bucket array
// that is made on the first Set and grows before the load passes 35 %. Values and flags follow
// TableValues.h: an entry flagged kTableOwnsValue holds a reference to an NVObject that the
// table releases when the value is replaced, the table is cleared or destroyed.
#pragma once

#include <cstdint>

#include "utility/NVObject.h"
#include "utility/TableValues.h"

class IntTable : public NVObject {
 public:
  struct Entry {
    uint64_t key;
    int32_t flags;
    int64_t value;
    Entry* next;
  };

  IntTable() = default;
  IntTable(const IntTable&) = delete;
  IntTable& operator=(const IntTable&) = delete;
  ~IntTable() override;

  // Stores value under key, replacing the value and flags of an existing entry (an owned old
  // value is released first). Returns the entry (null only when no bucket array could be made).
  Entry* Set(uint64_t key, int64_t value, int32_t flags);
  // The flags of the entry with kTableEntryFound added, or 0 when the key is absent. The value
  // (when asked for) is the stored one, or 0 when absent.
  int32_t Get(uint64_t key, int64_t* value) const;
  // The link that holds the entry for key, or null when the key is absent.
  Entry** FindLink(uint64_t key) const;
  // Releases owned values and frees every entry; the buckets stay.
  void Clear();
  // Makes the table ready for n entries (n < 0 changes nothing).
  void Rehash(int32_t n);

  int32_t Count() const { return mCount; }
  uint32_t BucketCount() const { return mBucketCount; }
  int32_t GrowThreshold() const { return mGrowThreshold; }

  // The 32-bit mix of a key; its low bits choose the bucket.
  static uint32_t HashKey(uint64_t key);

 private:
  static uint32_t BucketOf(uint64_t key, uint32_t bucketCount) {
    return HashKey(key) & (bucketCount - 1);
  }

  Entry** mBuckets = nullptr;
  uint32_t mBucketCount = 0;
  int32_t mCount = 0;
  int32_t mGrowThreshold = 0;
};
