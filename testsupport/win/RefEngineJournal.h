// Reading the reference engine's journal in tests: the lines refengine/RefEngineControl.h
// describes, parsed into entries, from the engine loaded in this process or from the journal
// file an engine in another process wrote. A test reads the journal as what the engine
// received: the calls, their order and their fields.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "refengine/RefEngineControl.h"

namespace refengine_journal {

struct JournalEntry {
  std::string call;
  std::vector<std::pair<std::string, std::string>> fields;  // texts unescaped, in line order

  bool Has(const std::string& key) const;
  // The field's value; empty when absent.
  std::string Get(const std::string& key) const;
  // A decimal or 0x-hexadecimal field as a number; 0 when absent.
  int64_t Number(const std::string& key) const;
};

// One journal line.
JournalEntry ParseJournalLine(const std::string& line);
// The bytes of a hexadecimal field such as "raw".
std::vector<uint8_t> HexBytes(const std::string& hex);

// Every line the engine in this process holds.
std::vector<JournalEntry> ReadJournal(const RefEngineControlApi* control);
// Every line of a journal file (UTF-8 path); none when there is no file.
std::vector<JournalEntry> ReadJournalFile(const std::string& path);

// The entries of one call (and, when given, one code).
std::vector<JournalEntry> EntriesOf(const std::vector<JournalEntry>& entries,
                                    const std::string& call, const std::string& code = {});
// The calls of the entries, in order.
std::vector<std::string> CallsOf(const std::vector<JournalEntry>& entries);

}  // namespace refengine_journal
