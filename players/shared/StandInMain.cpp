#include "players/shared/StandInMain.h"

#include "players/shared/SetupText.h"
#include "players/shared/StandInJournal.h"

namespace standin {

bool ReadSetup(std::span<const StepVerb> verbs, std::span<const char* const> numberKeys,
               StandInSetup* setup) {
  std::string error;
  if (ParseSetup(SetupText(), verbs, numberKeys, setup, &error)) return true;
  if (!setup->journal.empty() && OpenJournal(setup->journal)) {
    refengine::JournalLine line(kUnexpectedCall);
    WriteJournal(line.Text("what", "setup").Text("reason", error));
    CloseJournal();
  }
  return false;
}

}  // namespace standin
