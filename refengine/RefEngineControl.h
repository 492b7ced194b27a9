// Test controls and journal of the reference engine.
//
// Besides the two engine exports, the reference engine exports RefEngineControl(version),
// which returns the table of functions below (null for any other version). A test in the same
// process loads the engine DLL, resolves that export and steers the engine with it; a test
// that drives the engine in another process reads the journal file instead (see
// SetJournalFile and the environment variable REFENGINE_JOURNAL_ENV).
//
// The journal holds one line of text per call the engine received and per request it sent its
// host:
//   <call> key=value key="text" ...
// Calls: GetNVVisualAPI, ReleaseNVVisualAPI, CreateInstance, DestroyInstance, SetTarget,
// RunFrame, Request, Entry (a table entry hosts never use), Callback (a request the engine
// sent its host) and Delay (a pause a test asked for, written when it begins). A call's line is written when the call returns, so requests the engine sent
// during the call come before it. Numbers are decimal, addresses 0x-hexadecimal, four-character
// codes bare (or 0x-hexadecimal when not printable), texts in double quotes with backslash
// escapes (\" \\ \n \r \t \xHH), copies of records as bare hexadecimal bytes under the key
// "raw". testsupport/win/RefEngineJournal.h parses the lines.
#pragma once

#include <stdint.h>

#include "visualhost/engine/EngineInterface.h"

#define REFENGINE_CONTROL_EXPORT "RefEngineControl"
#define REFENGINE_CONTROL_VERSION 1
// The engine writes its journal to the file this environment variable names (appending),
// unless a test chose another file with SetJournalFile.
#define REFENGINE_JOURNAL_ENV "NV_REFENGINE_JOURNAL"
// The engine's file name in the build tree's bin folder.
#define REFENGINE_DLL_NAME "GlimmoraEngine.dll"

// Statuses the reference engine gives besides those of the engine contract.
#define REFENGINE_STATUS_BAD_VERSION 55016   // GetNVVisualAPI asked for another version
#define REFENGINE_STATUS_BAD_ARGUMENT 55022  // a null or malformed argument; nothing changed
// Album art that names or holds no readable image (missing file, bytes that do not decode).
#define REFENGINE_STATUS_NO_IMAGE 55024
// The engine could not make its fullscreen window.
#define REFENGINE_STATUS_NO_WINDOW 55026

// The engine keeps its preferences in the value-text file this environment variable names;
// without it, in "Preferences.txt" of the folder named like the engine in the user's
// application data folder.
#define REFENGINE_PREFERENCES_ENV "NV_REFENGINE_PREFS"

struct RefEngineControlApi {
  uint32_t size;  // sizeof(RefEngineControlApi)

  // Empties the journal and puts every control back to its default (and the journal file back
  // to the environment variable's). Live instances stay.
  void (*Reset)(void);

  // Number of lines held in memory (the oldest are dropped beyond a large limit).
  int32_t (*JournalCount)(void);
  // Copies line `index` into the buffer, cut to fit and zero-terminated; returns the line's
  // full length in bytes, or -1 when there is no such line.
  int32_t (*JournalLine)(int32_t index, char* buffer, int32_t bufferSize);
  // Appends every later line to the file (UTF-8 path); null or empty: no file. Returns 0 or
  // the Windows error of opening the file.
  uint32_t (*SetJournalFile)(const char* utf8Path);

  // GetNVVisualAPI answers `status` (0: normal); with nullTable it answers 0 and no table.
  void (*FailGetApi)(int32_t status, int32_t nullTable);
  // CreateInstance answers `status` without creating an instance (0: normal).
  void (*FailCreateInstance)(int32_t status);
  // Milliseconds every RunFrame answers.
  void (*SetRunFramePeriod)(int32_t milliseconds);
  // Idle 1: RunFrame only answers its period (no drawing, requests or journal line). Idle 2:
  // it also asks the host for audio ('GetS', 512 samples and 64 bands) without a journal line,
  // so that a benchmark measures a host's audio path. 0: frames as usual.
  void (*SetIdle)(int32_t idle);

  // 'Wind' answers this rectangle instead of the engine's own choice (fixed 0: own choice).
  void (*SetWindowAnswer)(int32_t fixed, int32_t left, int32_t top, int32_t right, int32_t bottom);
  // 'GetF' answers `answer` instead of the engine's fullscreen state (fixed 0: own state).
  void (*SetFullscreenAnswer)(int32_t fixed, int64_t answer);
  // 'Evnt' answers `answer` for every event instead of the engine's own use of keys and mouse
  // (fixed 0: own use).
  void (*SetEventAnswer)(int32_t fixed, int64_t answer);
  // 'GPrf' of `name` answers a value of the given type letter ('i', 'I', 'c', 'C', 'b', '*'
  // take the integer, 'F' and 'f' the number).
  void (*SetPreferenceNumber)(const char* name, uint32_t type, int64_t integer, double number);
  // 'GPrf' of `name` answers the text (type 's', zero-terminated UTF-8).
  void (*SetPreferenceText)(const char* name, const char* utf8Text);

  // Number of live engine instances.
  int32_t (*InstanceCount)(void);

  // Later controls: a caller checks `size` before using them.

  // Forgets the preferences held in memory without writing them; the next use reads the
  // preference file again, as a new process would.
  void (*ForgetPreferences)(void);
  // Uses this preference file (UTF-8 path) from now on, null or empty: the default one, and
  // forgets the preferences held in memory.
  void (*SetPreferenceFile)(const char* utf8Path);
  // Copies the path of the preference file in use (UTF-8), as JournalLine copies lines.
  int32_t (*PreferenceFile)(char* buffer, int32_t bufferSize);
  // Switches the instance's fullscreen on or off as its fullscreen key does; returns the
  // status (55021 for an unknown instance).
  int32_t (*SetFullscreen)(uint32_t instance, int32_t on);
  // The engine's fullscreen window of the instance (null when it shows none).
  void* (*FullscreenWindow)(uint32_t instance);
  // Size in pixels of the instance's album cover (0 and 0 without one).
  void (*CoverSize)(uint32_t instance, int32_t* width, int32_t* height);
  // CreateInstance pauses this long before creating the instance (0: not at all), after a
  // journal line "Delay call=CreateInstance ms=N" that says the pause has begun: a host's
  // start that takes a while, for tests of what happens meanwhile.
  void (*DelayCreateInstance)(int32_t milliseconds);
  // The next RunFrame, of any instance, pauses this long before it draws (0: none), after a
  // journal line "Delay call=RunFrame ms=N": a frame that holds its thread, for tests of what
  // the host's other threads do meanwhile. Only that one frame pauses.
  void (*DelayNextRunFrame)(int32_t milliseconds);
};

typedef const struct RefEngineControlApi*(NV_ENGINE_CALL* RefEngineControlFn)(int32_t version);
