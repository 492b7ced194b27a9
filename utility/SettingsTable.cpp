#include "utility/SettingsTable.h"

#include <cmath>
#include <cstring>

#include "utility/TextFunctions.h"

namespace {

double DoubleFromBits(int64_t bits) {
  double real;
  memcpy(&real, &bits, sizeof(real));
  return real;
}

}  // namespace

int64_t TruncateToInt64(double value) {
  // Converting a double outside the 64-bit range is undefined, so the ends saturate.
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775808.0) return INT64_MAX;
  if (value <= -9223372036854775808.0) return INT64_MIN;
  return static_cast<int64_t>(value);
}

int32_t SettingsTable::GetFlags(const char* name) const {
  return name ? mNamed.GetFlags(name) : 0;
}

int64_t SettingsTable::GetInteger(const char* name) const {
  int64_t value = 0;
  const int32_t flags = name ? mNamed.Get(name, -1, &value) : 0;
  if (flags & SettingsEntry::kInteger) return value;
  if (flags & SettingsEntry::kFloat) return TruncateToInt64(DoubleFromBits(value));
  if (flags & SettingsEntry::kText) {
    const UtilStr* text = TableValueAsPointer<const UtilStr>(value);
    return text ? ParseInt64(text->Text(), text->Length()) : 0;
  }
  return 0;
}

bool SettingsTable::GetText(const char* name, UtilStr* out) const {
  int64_t value = 0;
  const int32_t flags = name ? mNamed.Get(name, -1, &value) : 0;
  if (out == nullptr) return flags != 0;
  char number[kNumberTextCapacity];
  if (flags & SettingsEntry::kText) {
    const UtilStr* text = TableValueAsPointer<const UtilStr>(value);
    if (text) {
      *out = *text;
    } else {
      out->PrepareBuffer(12);
    }
  } else if (flags & SettingsEntry::kInteger) {
    out->Assign(number, FormatInteger(value, number, 10));
  } else if (flags & SettingsEntry::kFloat) {
    out->Assign(number, FormatFloat(DoubleFromBits(value), number));
  } else {
    out->PrepareBuffer(12);
  }
  return flags != 0;
}
