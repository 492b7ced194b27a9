#include "refengine/PreferenceText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utility/SettingsTable.h"
#include "utility/UtilStr.h"

namespace refengine {
namespace {

// More entries than any engine keeps: a bigger count means a damaged file.
constexpr int64_t kMaxPreferences = 100000;

bool IsIntegerType(uint32_t type) {
  return type == 'C' || type == 'I' || type == 'c' || type == 'i' || type == 'b';
}

void AppendQuoted(UtilStr& out, const std::string& bytes) {
  out.AppendChar('"');
  out.AppendEscaped(bytes.data(), int32_t(bytes.size()));
  out.AppendChar('"');
}

// Numbers are written so that they read back exactly. Value text has no signed exponents, no
// infinities and no not-a-number, so such values are written as text (read back with strtod).
void AppendReal(UtilStr& out, double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  const std::string written(text);
  if (!std::isfinite(value) || written.find('e') != std::string::npos) {
    AppendQuoted(out, written);
  } else {
    out.Append(written.c_str());
    if (written.find('.') == std::string::npos) out.Append(".0");
  }
}

void AppendValue(UtilStr& out, const StoredPreference& value) {
  if (IsIntegerType(value.type)) {
    out.AppendFormat("%lld", static_cast<long long>(value.integer));
  } else if (value.type == 'F' || value.type == 'f') {
    AppendReal(out, value.number);
  } else {
    AppendQuoted(out, value.bytes);  // 's' and 'W' keep their bytes as they are
  }
}

std::optional<std::string> Text(const SettingsTable& table, const std::string& key) {
  UtilStr text;
  if ((table.GetFlags(key.c_str()) & SettingsEntry::kText) == 0) return std::nullopt;
  table.GetText(key.c_str(), &text);
  return std::string(text.Text(), size_t(text.Length()));
}

std::optional<std::string> NumberedName(const SettingsTable& table, int64_t index) {
  int64_t value = 0;
  const int32_t flags = table.Numbered().Get(index, &value);
  if ((flags & SettingsEntry::kText) == 0) return std::nullopt;
  const UtilStr* text = TableValueAsPointer<UtilStr>(value);
  if (!text) return std::nullopt;
  return std::string(text->Text(), size_t(text->Length()));
}

std::optional<double> Real(const SettingsTable& table, const std::string& key) {
  const int32_t flags = table.GetFlags(key.c_str());
  if (flags & SettingsEntry::kFloat) {
    int64_t bits = 0;
    table.Named().Get(key.c_str(), -1, &bits);
    double value;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  if (flags & SettingsEntry::kInteger) return double(table.GetInteger(key.c_str()));
  if (const std::optional<std::string> text = Text(table, key)) {
    char* end = nullptr;
    const double value = std::strtod(text->c_str(), &end);
    if (end != text->c_str() && *end == 0) return value;
  }
  return std::nullopt;
}

std::optional<StoredPreference> ReadOne(const SettingsTable& table, const std::string& name) {
  const std::optional<std::string> type = Text(table, "type:" + name);
  const std::string valueKey = "value:" + name;
  if (!type || type->size() != 1) return std::nullopt;
  StoredPreference stored;
  stored.type = uint8_t((*type)[0]);
  if (IsIntegerType(stored.type)) {
    if ((table.GetFlags(valueKey.c_str()) & SettingsEntry::kInteger) == 0) return std::nullopt;
    stored.integer = table.GetInteger(valueKey.c_str());
  } else if (stored.type == 'F' || stored.type == 'f') {
    const std::optional<double> real = Real(table, valueKey);
    if (!real) return std::nullopt;
    stored.number = *real;
  } else if (stored.type == 's' || stored.type == 'W') {
    const std::optional<std::string> text = Text(table, valueKey);
    if (!text) return std::nullopt;
    stored.bytes = *text;
    if (stored.type == 'W') stored.bytes.resize(stored.bytes.size() & ~size_t(1));
  } else {
    return std::nullopt;
  }
  return stored;
}

}  // namespace

std::string FormatPreferenceText(const PreferenceMap& preferences) {
  UtilStr out;
  int64_t count = 0;
  for (const auto& entry : preferences) count += entry.second.type != '*';
  out.AppendFormat("count = %lld\n", static_cast<long long>(count));
  int64_t index = 0;
  for (const auto& [name, value] : preferences) {
    if (value.type == '*') continue;
    out.AppendFormat("%lld = ", static_cast<long long>(index++));
    AppendQuoted(out, name);
    out.Append("\n\"type:");
    out.AppendEscaped(name.data(), int32_t(name.size()));
    out.AppendFormat("\" = \"%c\"\n\"value:", char(value.type));
    out.AppendEscaped(name.data(), int32_t(name.size()));
    out.Append("\" = ");
    AppendValue(out, value);
    out.AppendChar('\n');
  }
  return std::string(out.Text(), size_t(out.Length()));
}

std::optional<PreferenceMap> ParsePreferenceText(const std::string& text) {
  SettingsTable table;
  if (text.size() > 0x7FFFFFFF ||
      table.Parse(text.data(), int32_t(text.size())) != SettingsStatus::kOk) {
    return std::nullopt;
  }
  if ((table.GetFlags("count") & SettingsEntry::kInteger) == 0) return std::nullopt;
  const int64_t count = table.GetInteger("count");
  if (count < 0 || count > kMaxPreferences) return std::nullopt;
  PreferenceMap preferences;
  for (int64_t index = 0; index < count; ++index) {
    const std::optional<std::string> name = NumberedName(table, index);
    if (!name) return std::nullopt;
    std::optional<StoredPreference> value = ReadOne(table, *name);
    if (!value) return std::nullopt;
    preferences[*name] = std::move(*value);
  }
  return preferences;
}

}  // namespace refengine
