// The chain walking shared by the two hash tables. Their entries differ only in the key, so
// these templates take any entry with flags, value and next, and a function that names an
// entry's bucket.
#pragma once

#include <cstdint>

#include "utility/TableValues.h"

// Frees every node, releasing owned values, and leaves the buckets empty.
template <typename Entry>
void ClearChains(Entry** buckets, uint32_t bucketCount) {
  for (uint32_t i = 0; i < bucketCount; ++i) {
    Entry* entry = buckets[i];
    buckets[i] = nullptr;
    while (entry) {
      Entry* next = entry->next;
      ReleaseTableValue(entry->flags, entry->value);
      delete entry;
      entry = next;
    }
  }
}

// Moves every node to the head of its chain in the new buckets (so chains reverse).
template <typename Entry, typename BucketOfEntry>
void MoveChains(Entry** from, uint32_t fromCount, Entry** to, BucketOfEntry bucketOf) {
  for (uint32_t i = 0; i < fromCount; ++i) {
    Entry* entry = from[i];
    while (entry) {
      Entry* next = entry->next;
      Entry*& head = to[bucketOf(*entry)];
      entry->next = head;
      head = entry;
      entry = next;
    }
  }
}
