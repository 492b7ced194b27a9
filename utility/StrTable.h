// StrTable: a chained hash table from text keys to 64-bit values.
//
// Keys are UtilStr copies, so a key shares the text of the string it was made from. The table
// either compares keys byte for byte or, when made case-insensitive, without regard to ASCII
// letter case (the hash folds the same way). Sizing, values and flags are those of IntTable.
#pragma once

#include <cstdint>

#include "utility/NVObject.h"
#include "utility/TableValues.h"
#include "utility/UtilStr.h"

class StrTable : public NVObject {
 public:
  struct Entry {
    UtilStr key;
    int32_t flags;
    int64_t value;
    Entry* next;
  };

  explicit StrTable(bool caseSensitive = true) : mCaseSensitive(caseSensitive) {}
  StrTable(const StrTable&) = delete;
  StrTable& operator=(const StrTable&) = delete;
  ~StrTable() override;

  // Stores value under key, replacing the value and flags of an existing entry (an owned old
  // value is released first). True when an existing entry was replaced.
  bool Set(const UtilStr& key, int64_t value, int32_t flags);
  // The flags of the entry with kTableEntryFound added, or 0 when the name is absent. A
  // negative length means a zero-terminated name. The value (when asked for) is the stored
  // one, or 0 when absent.
  int32_t Get(const char* name, int32_t length, int64_t* value = nullptr) const;
  int32_t GetFlags(const char* name) const { return Get(name, -1); }
  // Releases owned values and key texts and frees every entry; the buckets stay.
  void Clear();
  // Makes the table ready for n entries (n < 0 changes nothing).
  void Rehash(int32_t n);

  bool CaseSensitive() const { return mCaseSensitive; }
  int32_t Count() const { return mCount; }
  uint32_t BucketCount() const { return mBucketCount; }
  int32_t GrowThreshold() const { return mGrowThreshold; }

 private:
  Entry** FindLink(const char* name, int32_t length) const;
  uint32_t BucketOf(const char* name, int32_t length, uint32_t bucketCount) const;
  bool KeyEquals(const UtilStr& key, const char* name, int32_t length) const;

  Entry** mBuckets = nullptr;
  uint32_t mBucketCount = 0;
  int32_t mCount = 0;
  int32_t mGrowThreshold = 0;
  bool mCaseSensitive;
};
