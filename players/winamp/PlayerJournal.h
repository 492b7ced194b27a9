// The player's journal file, written by the stand-in players' shared journal writer
// (players/shared/StandInJournal.h): one line per call and message, whole and at once from
// whichever thread saw it, so that a test in another process can read it while the player runs.
#pragma once

#include "players/shared/StandInJournal.h"

namespace winamp_standin {

using standin::CloseJournal;
using standin::OpenJournal;
using standin::WriteJournal;
using standin::WriteJournalAtCrash;
using standin::WriteUnexpected;

}  // namespace winamp_standin
