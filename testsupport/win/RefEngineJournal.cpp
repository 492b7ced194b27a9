#include "testsupport/win/RefEngineJournal.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "testsupport/win/WideText.h"
#include "utility/TextRules.h"

namespace refengine_journal {

namespace {

int HexDigit(char c) {
  return text_rules::HexDigitValue(static_cast<unsigned char>(c));
}

char EscapedCharacter(char escaped) {
  switch (escaped) {
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    default:
      return escaped;
  }
}

// The text of a quoted value starting at *at (the opening quote); *at moves past the closing
// quote.
std::string ReadQuoted(const std::string& line, size_t* at) {
  std::string value;
  size_t i = *at + 1;
  while (i < line.size() && line[i] != '"') {
    if (line[i] != '\\' || i + 1 >= line.size()) {
      value += line[i++];
      continue;
    }
    const char escaped = line[i + 1];
    i += 2;
    if (escaped == 'x') {
      if (i + 1 < line.size()) value += char(HexDigit(line[i]) * 16 + HexDigit(line[i + 1]));
      i += 2;
    } else {
      value += EscapedCharacter(escaped);
    }
  }
  *at = i + 1;
  return value;
}

}  // namespace

bool JournalEntry::Has(const std::string& key) const {
  for (const auto& field : fields) {
    if (field.first == key) return true;
  }
  return false;
}

std::string JournalEntry::Get(const std::string& key) const {
  for (const auto& field : fields) {
    if (field.first == key) return field.second;
  }
  return {};
}

int64_t JournalEntry::Number(const std::string& key) const {
  return int64_t(std::strtoull(Get(key).c_str(), nullptr, 0));
}

JournalEntry ParseJournalLine(const std::string& line) {
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

std::vector<uint8_t> HexBytes(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(uint8_t(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
  }
  return bytes;
}

std::vector<JournalEntry> ReadJournal(const RefEngineControlApi* control) {
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

std::vector<JournalEntry> ReadJournalFile(const std::string& path) {
  std::vector<JournalEntry> entries;
  std::ifstream file(std::filesystem::path(Wide(path)), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) entries.push_back(ParseJournalLine(line));
  }
  return entries;
}

std::vector<JournalEntry> EntriesOf(const std::vector<JournalEntry>& entries,
                                    const std::string& call, const std::string& code) {
  std::vector<JournalEntry> found;
  for (const JournalEntry& entry : entries) {
    if (entry.call == call && (code.empty() || entry.Get("code") == code)) found.push_back(entry);
  }
  return found;
}

std::vector<std::string> CallsOf(const std::vector<JournalEntry>& entries) {
  std::vector<std::string> calls;
  for (const JournalEntry& entry : entries) calls.push_back(entry.call);
  return calls;
}

}  // namespace refengine_journal
