// One run of the stand-in Winamp-type player (players/winamp) with the plug-in, in its own
// process, laid out as a player's installation in a folder of its own:
//   <temp>\nvw<n>\<player folder>\WinampStandIn.exe
//   <temp>\nvw<n>\<player folder>\Plugins\vis_Omnihost.dll
// The player folder's name is what a player's path says about it (a jetAudio installation is
// recognised by it). The reference engine journals into the run's own file and keeps its
// preferences in the file the test names. The test steers the player with commands and reads
// both journals; a run still going at the end is told to exit and, failing that, ended. A
// player that journaled anything it did not expect (an Unexpected line) fails the test then.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "players/winamp/StandInCommand.h"
#include "testsupport/win/ProgramRun.h"
#include "testsupport/win/RefEngineJournal.h"

using Journal = std::vector<refengine_journal::JournalEntry>;

struct PlayerSetup {
  std::wstring playerFolder = L"Winamp";
  // Setup statements besides journal and maxMs (players/winamp/StandInControl.h).
  winamp_standin::StandInCommand options;
  // The engine's preference file; empty: a new one of the run's own.
  std::wstring preferences;
};

class StandInPlayerRun {
 public:
  explicit StandInPlayerRun(const PlayerSetup& setup);
  ~StandInPlayerRun();
  StandInPlayerRun(const StandInPlayerRun&) = delete;
  StandInPlayerRun& operator=(const StandInPlayerRun&) = delete;

  // Whether the player started and made its main window (each failure is a test failure too).
  bool ok() const { return mWindow != nullptr; }
  HWND MainWindow() const { return mWindow; }
  DWORD ProcessId() const { return mRun ? mRun->ProcessId() : 0; }
  bool Running() const { return mRun && mRun->Running(); }
  const std::wstring& Preferences() const { return mPreferences; }

  // Hands the player a run-time command; false when it did not take it.
  bool Send(const winamp_standin::StandInCommand& command);
  // Sends Exit and waits for the end; the exit code, or -1 when the player did not end.
  long Exit();

  Journal PlayerJournal() const;
  Journal EngineJournal() const;
  // Waits until the check holds on the journal read afresh; false when time ran out.
  bool WaitForPlayer(const std::function<bool(const Journal&)>& check, DWORD ms = 10000) const;
  bool WaitForEngine(const std::function<bool(const Journal&)>& check, DWORD ms = 10000) const;

 private:
  bool CopyPlayer(const std::wstring& folder);

  std::wstring mRoot;  // the run's own folder
  std::vector<std::wstring> mMadeFiles;
  std::vector<std::wstring> mMadeFolders;
  std::wstring mPlayerJournal;
  std::wstring mPreferences;
  bool mOwnPreferences = false;
  std::unique_ptr<ProgramRun> mRun;
  HWND mWindow = nullptr;
};
