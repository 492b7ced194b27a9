#include "players/shared/StandInRun.h"

#include "players/shared/MessagePump.h"
#include "players/shared/StandInJournal.h"
#include "refengine/JournalLine.h"

namespace standin {

int RunStandIn(SteppedPlayer& player, const StandInRun& run, const std::vector<Step>& steps) {
  int code = run.notLoadedCode;
  const char* reason = run.notLoadedReason;
  if (run.window != nullptr && player.LoadPlugin()) {
    code = kExitNormal;
    reason = "steps done";
    for (const Step& step : steps) {
      if (GetTickCount64() >= run.deadline) {
        reason = "time";
        break;
      }
      player.RunStep(step);
      PumpMessagesFor(0, run.deadline);
    }
  }
  if (HMODULE library = player.LibraryToUnload()) FreeLibrary(library);
  WriteJournal(refengine::JournalLine(kExitCall).Text("reason", reason).Number("code", code));
  CloseJournal();
  if (run.window != nullptr && IsWindow(run.window)) DestroyWindow(run.window);
  return code;
}

}  // namespace standin
