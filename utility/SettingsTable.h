// SettingsTable: the entries of a value text, a sequence of statements "key = value".
//
// Keys are names (dotted or joined with "-" as in a.b-c), double-quoted texts, or numbers
// (with an optional minus sign) that go to a separate table of numbered entries. Values are
// integers, floating-point numbers, or texts (bare names or double-quoted strings). Entries
// are tagged with their type and can be read back in any of the three forms.
#pragma once

#include <cstdint>

#include "utility/IntTable.h"
#include "utility/NVObject.h"
#include "utility/StrTable.h"
#include "utility/UtilStr.h"

// What Parse reports when a statement was malformed (its well-formed neighbours are stored).
namespace SettingsStatus {
constexpr int32_t kOk = 0;
constexpr int32_t kMalformed = 55023;
}  // namespace SettingsStatus

// The type bits of an entry's flags. A text entry owns its UtilStr, so its flags also carry
// kTableOwnsValue.
namespace SettingsEntry {
constexpr int32_t kText = 1;
constexpr int32_t kFloat = 2;
constexpr int32_t kInteger = 4;
constexpr int32_t kOwnedText = kText | kTableOwnsValue;
}  // namespace SettingsEntry

class SettingsTable : public NVObject {
 public:
  SettingsTable() = default;
  SettingsTable(const SettingsTable&) = delete;
  SettingsTable& operator=(const SettingsTable&) = delete;
  ~SettingsTable() override = default;

  // Adds the statements of text (a negative length: zero-terminated); a later statement with
  // the same key replaces the earlier value, and entries already present stay. Returns
  // kMalformed when any statement was malformed or the text could not be tokenized whole.
  int32_t Parse(const char* text, int32_t length);

  // The integer, a floating-point value truncated toward zero (saturating), or a text read as
  // an integer; 0 when the name is absent.
  int64_t GetInteger(const char* name) const;
  // True when the name is present. The text is shared into out; an integer is written in
  // decimal and a floating-point value as FormatFloat writes it. When the name is absent out
  // is emptied. out may be null to ask only whether the name is present.
  bool GetText(const char* name, UtilStr* out) const;
  // The entry's flags with kTableEntryFound added, or 0 when the name is absent.
  int32_t GetFlags(const char* name) const;

  const StrTable& Named() const { return mNamed; }
  const IntTable& Numbered() const { return mNumbered; }

 private:
  friend class SettingsParser;

  StrTable mNamed{true};
  IntTable mNumbered;
};

// A double truncated toward zero into the signed 64-bit range; NaN gives 0.
int64_t TruncateToInt64(double value);
