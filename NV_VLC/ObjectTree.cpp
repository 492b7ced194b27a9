#include "NV_VLC/ObjectTree.h"

#include <cstring>

vlc_object_t* FindObjectOfType(vlc_object_t* object, const char* type) {
  for (vlc_object_t* current = object; current != nullptr; current = current->obj.parent) {
    const char* name = current->obj.object_type;
    if (name != nullptr && std::strcmp(name, type) == 0) return current;
  }
  return nullptr;
}

playlist_t* FindPlaylist(vlc_object_t* object) {
  return reinterpret_cast<playlist_t*>(FindObjectOfType(object, "playlist"));
}
