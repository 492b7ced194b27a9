// Questions the Winamp tests ask of the stand-in player's journal and the reference engine's:
// the messages of one command, the requests and callbacks of one code, the lines the player did
// not expect, and the first line after a moment.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "testsupport/win/StandInProgram.h"
#include "vis_Omnihost/tests/win/StandInPlayerRun.h"

// Player journal: the "Message" lines of one command number (WinampMessages.h).
Journal Messages(const Journal& player, intptr_t command);
// Engine journal: the host's requests of one code ("Trck", "SPrf", ...) and the engine's
// callbacks of one code ("GArt", "RArt", ...).
Journal Requests(const Journal& engine, const std::string& code);
Journal Callbacks(const Journal& engine, const std::string& code);
size_t CountOf(const Journal& journal, const std::string& call);

// A field holding a window handle.
HWND WindowField(const refengine_journal::JournalEntry& entry, const std::string& key);

// Player journal: the tick count of the entry (its ms field).
int64_t TimeOf(const refengine_journal::JournalEntry& entry);
