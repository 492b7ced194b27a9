// The track the stand-in player is playing, as its setup and the Track command describe it.
// Texts are UTF-8; what the player hands out is made from them (TrackTexts.h).
#pragma once

#include <cstdint>
#include <string>

class SettingsTable;

namespace winamp_standin {

struct Track {
  int64_t position = 0;
  int64_t length = 215;  // seconds; below 0 for a stream
  std::string file = "C:/Music/Stand-in/Default Artist - Default Song.mp3";  // 3031
  std::string title = "Default Artist - Default Song";                       // 3034
  std::string playlist = "Default Artist - Default Song";                    // 212, 213
  // Extended file information (3026): artist, album, title, year.
  std::string infoArtist;
  std::string infoAlbum;
  std::string infoTitle;
  std::string infoYear;
  // Extended players' messages 9990-9992 and 9996.
  std::string extTitle = "Default Song";
  std::string extArtist = "Default Artist";
  std::string extAlbum = "Default Album";
  std::string artPath;
};

// Changes the fields the table names (position, length, file, title, playlist, info.artist,
// info.album, info.title, info.year, ext.title, ext.artist, ext.album, artPath); returns how
// many it found.
int ApplyTrackFields(const SettingsTable& fields, Track* track);

}  // namespace winamp_standin
