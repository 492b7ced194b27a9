#include "players/winamp/Track.h"

#include "utility/SettingsTable.h"

namespace winamp_standin {
namespace {

struct TextField {
  const char* name;
  std::string Track::*field;
};

constexpr TextField kTextFields[] = {
    {"file", &Track::file},
    {"title", &Track::title},
    {"playlist", &Track::playlist},
    {"info.artist", &Track::infoArtist},
    {"info.album", &Track::infoAlbum},
    {"info.title", &Track::infoTitle},
    {"info.year", &Track::infoYear},
    {"ext.title", &Track::extTitle},
    {"ext.artist", &Track::extArtist},
    {"ext.album", &Track::extAlbum},
    {"artPath", &Track::artPath},
};

}  // namespace

int ApplyTrackFields(const SettingsTable& fields, Track* track) {
  int found = 0;
  if (fields.GetFlags("position") != 0) {
    track->position = fields.GetInteger("position");
    ++found;
  }
  if (fields.GetFlags("length") != 0) {
    track->length = fields.GetInteger("length");
    ++found;
  }
  for (const TextField& text : kTextFields) {
    UtilStr value;
    if (!fields.GetText(text.name, &value)) continue;
    track->*text.field = std::string(value.Text(), size_t(value.Length()));
    ++found;
  }
  return found;
}

}  // namespace winamp_standin
