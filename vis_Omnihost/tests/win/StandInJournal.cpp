#include "vis_Omnihost/tests/win/StandInJournal.h"

#include "players/winamp/StandInControl.h"

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;

Journal Messages(const Journal& player, intptr_t command) {
  Journal found;
  for (const JournalEntry& entry : EntriesOf(player, winamp_standin::call::kMessage)) {
    if (entry.Has("command") && entry.Number("command") == command) found.push_back(entry);
  }
  return found;
}

Journal Requests(const Journal& engine, const std::string& code) {
  return EntriesOf(engine, "Request", code);
}

Journal Callbacks(const Journal& engine, const std::string& code) {
  return EntriesOf(engine, "Callback", code);
}

size_t CountOf(const Journal& journal, const std::string& call) {
  return EntriesOf(journal, call).size();
}

HWND WindowField(const JournalEntry& entry, const std::string& key) {
  return reinterpret_cast<HWND>(uintptr_t(entry.Number(key)));
}

int64_t TimeOf(const JournalEntry& entry) {
  return entry.Number("ms");
}
