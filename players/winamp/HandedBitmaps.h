// The GDI objects the player handed out as album art (message 9995). The plug-in owns each
// one from then on and must delete it exactly once; the player watches which are gone (a
// deleted handle has no object type) and reports the rest at the end. Main thread only.
#pragma once

#include <windows.h>

#include <vector>

namespace winamp_standin {

class HandedBitmaps {
 public:
  void Add(HGDIOBJ handle);
  // Journals each handle seen deleted since the last look.
  void Poll();
  // Journals every handle with whether it was deleted.
  void Report();

 private:
  struct Handed {
    HGDIOBJ handle;
    bool deleted;
  };
  std::vector<Handed> mHanded;
};

}  // namespace winamp_standin
