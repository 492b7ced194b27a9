// The UTF-16 form of a spec in a fixed buffer, ready for a wide system call. A path that does
// not fit is the empty text, so the call that follows fails in the ordinary way.
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"

template <int32_t kCapacity>
class WidePath {
 public:
  explicit WidePath(const NVFileSpec& spec) : mLength(spec.ToWide(mUnits, kCapacity)) {}
  WidePath(const WidePath&) = delete;
  WidePath& operator=(const WidePath&) = delete;

  const wchar_t* Get() const { return reinterpret_cast<const wchar_t*>(mUnits); }
  int32_t Length() const { return mLength; }

 private:
  char16_t mUnits[kCapacity];
  int32_t mLength;
};

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");
