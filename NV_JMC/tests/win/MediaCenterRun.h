// One run of the stand-in media center (players/jriver) in its own process, with the reference
// engine journaling into the run's own file and its preferences in a file of the run's own
// (empty, or the preference text given). The control is the build tree's NV_JMC.dll as
// registered in the system (MediaCenterRegistration.h); the player finds it through its
// plug-in key as the media center does.
#pragma once

#include <string>

#include "testsupport/win/StandInProgram.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"

using MediaCenterRun = StandInProgramRun;

// Runs the steps (players/jriver/JRiverStandInControl.h) to the player's end.
MediaCenterRun RunMediaCenter(const std::string& steps, const std::string& preferences = {});

// The preference file's text with one preference of a type letter and a value as written in
// the file (a number, or a quoted text).
std::string PreferenceText(const std::string& name, char type, const std::string& value);
