// The player's answers to the messages a visualization module sends its main window (all
// WM_USER, the command number in lParam), from the track playing, the playlist so far, the
// services and the setup's choices. Every message is journaled with its answer; a command the
// player's mode does not know is journaled as Unexpected and answered 0. Main thread only,
// apart from the plug-in's window, which the visualization thread reads too.
#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <vector>

#include "players/winamp/HandedBitmaps.h"
#include "players/winamp/PlayerServices.h"
#include "players/winamp/StandInOptions.h"
#include "players/winamp/TrackTexts.h"
#include "refengine/JournalLine.h"

class SettingsTable;

namespace winamp_standin {

class PlayerAnswers {
 public:
  PlayerAnswers(const StandInOptions& options, PlayerServices* services);

  LRESULT Answer(WPARAM wParam, LPARAM command);
  // Changes the fields the table names; the texts handed out before stay valid.
  void ChangeTrack(const SettingsTable& fields);

  // The window the plug-in named with 611 (null before or after).
  HWND PluginWindow() const { return mPluginWindow.load(); }
  const std::atomic<HWND>& PluginWindowSlot() const { return mPluginWindow; }
  HandedBitmaps& Bitmaps() { return mBitmaps; }

 private:
  const TrackTexts& Texts() const { return *mTexts.back(); }
  void MakeTexts();

  LRESULT Text(refengine::JournalLine& line, const std::u16string& text);
  LRESULT Text8(refengine::JournalLine& line, const std::string& text);
  LRESULT PlaylistTitle(refengine::JournalLine& line, WPARAM position, bool wide);
  LRESULT ExtendedFileInfo(refengine::JournalLine& line, WPARAM query);
  LRESULT AlbumBitmap(refengine::JournalLine& line);
  LRESULT Extended(refengine::JournalLine& line, LPARAM command);
  LRESULT Unexpected(refengine::JournalLine& line);

  const StandInOptions& mOptions;
  PlayerServices* mServices;
  Track mTrack;
  std::vector<std::unique_ptr<TrackTexts>> mTexts;  // every version handed out, newest last
  std::map<int64_t, const TrackTexts*> mPlaylist;   // the texts last seen at each position
  HandedBitmaps mBitmaps;
  std::atomic<HWND> mPluginWindow{nullptr};
};

}  // namespace winamp_standin
