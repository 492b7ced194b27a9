// Values and entry flags of the hash tables (IntTable, StrTable).
//
// A value is 64 bits: a number, a double's bits or a pointer. The low flag bits are the
// caller's own type bits; kTableOwnsValue marks a value that is an NVObject the table holds a
// reference to and releases when the value is replaced or the entry is cleared. Lookups add
// kTableEntryFound, so a found entry never answers 0.
#pragma once

#include <cstdint>

#include "utility/NVObject.h"

constexpr int32_t kTableOwnsValue = 0x10000000;
constexpr int32_t kTableEntryFound = 0x20000000;

inline int64_t TableValueFromPointer(const void* pointer) {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(pointer));
}

template <typename T>
T* TableValueAsPointer(int64_t value) {
  return reinterpret_cast<T*>(static_cast<intptr_t>(value));
}

// Gives up the table's reference to an owned value.
inline void ReleaseTableValue(int32_t flags, int64_t value) {
  if ((flags & kTableOwnsValue) == 0) return;
  if (NVObject* object = TableValueAsPointer<NVObject>(value)) object->Release();
}
