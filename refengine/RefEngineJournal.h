// Reading the reference engine's journal in tests: parses the lines RefEngineControl.h
// describes, from the engine in this process or from a journal file another process wrote.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "refengine/RefEngineControl.h"

namespace refengine_journal {

struct JournalEntry {
  std::string call;
  std::vector<std::pair<std::string, std::string>> fields;  // texts unescaped, in line order

  bool Has(const std::string& key) const {
    for (const auto& field : fields) {
      if (field.first == key) return true;
    }
    return false;
  }
  // The field's value; empty when absent.
  std::string Get(const std::string& key) const {
    for (const auto& field : fields) {
      if (field.first == key) return field.second;
    }
    return {};
  }
  // A decimal or 0x-hexadecimal field as a number; 0 when absent.
  int64_t Number(const std::string& key) const {
    return int64_t(std::strtoull(Get(key).c_str(), nullptr, 0));
  }
};

inline int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of a hexadecimal field such as "raw".
inline std::vector<uint8_t> HexBytes(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(uint8_t(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
  }
  return bytes;
}

inline std::string ReadQuoted(const std::string& line, size_t* at) {
  std::string value;
  size_t i = *at + 1;  // after the opening quote
  while (i < line.size() && line[i] != '"') {
    if (line[i] == '\\' && i + 1 < line.size()) {
      const char escaped = line[i + 1];
      i += 2;
      switch (escaped) {
        case 'n':
          value += '\n';
          break;
        case 'r':
          value += '\r';
          break;
        case 't':
          value += '\t';
          break;
        case 'x':
          if (i + 1 < line.size()) value += char(HexDigit(line[i]) * 16 + HexDigit(line[i + 1]));
          i += 2;
          break;
        default:
          value += escaped;
          break;
      }
    } else {
      value += line[i++];
    }
  }
  *at = i + 1;
  return value;
}

inline JournalEntry ParseJournalLine(const std::string& line) {
  JournalEntry entry;
  size_t at = line.find(' ');
  entry.call = line.substr(0, at);
  while (at != std::string::npos && at < line.size()) {
    while (at < line.size() && line[at] == ' ') ++at;
    const size_t equals = line.find('=', at);
    if (equals == std::string::npos) break;
    std::string key = line.substr(at, equals - at);
    at = equals + 1;
    std::string value;
    if (at < line.size() && line[at] == '"') {
      value = ReadQuoted(line, &at);
    } else {
      const size_t end = line.find(' ', at);
      value = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
      at = end;
    }
    entry.fields.emplace_back(std::move(key), std::move(value));
  }
  return entry;
}

// Every line the engine in this process holds.
inline std::vector<JournalEntry> ReadJournal(const RefEngineControlApi* control) {
  std::vector<JournalEntry> entries;
  const int32_t count = control->JournalCount();
  for (int32_t i = 0; i < count; ++i) {
    std::string line(size_t(control->JournalLine(i, nullptr, 0) + 1), '\0');
    control->JournalLine(i, line.data(), int32_t(line.size()));
    line.resize(line.size() - 1);
    entries.push_back(ParseJournalLine(line));
  }
  return entries;
}

// Every line of a journal file.
inline std::vector<JournalEntry> ReadJournalFile(const std::string& path) {
  std::vector<JournalEntry> entries;
  std::ifstream file(path, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty()) entries.push_back(ParseJournalLine(line));
  }
  return entries;
}

// The entries of one call (and, when given, one code).
inline std::vector<JournalEntry> EntriesOf(const std::vector<JournalEntry>& entries,
                                           const std::string& call, const std::string& code = {}) {
  std::vector<JournalEntry> found;
  for (const JournalEntry& entry : entries) {
    if (entry.call == call && (code.empty() || entry.Get("code") == code)) found.push_back(entry);
  }
  return found;
}

}  // namespace refengine_journal
