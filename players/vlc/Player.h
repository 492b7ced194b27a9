// The stand-in VLC: the module loaded from its place in VLC's folder, its descriptor read, and
// the steps of VlcStandInControl.h played against the stand-in core.
#pragma once

#include <windows.h>

#include "players/shared/StandInSetup.h"
#include "players/vlc/ModuleBank.h"

namespace vlc_standin {

class Player {
 public:
  explicit Player(const standin::StandInSetup& setup) : mSetup(setup) {}
  int Run();

 private:
  bool LoadModule();
  void RunStep(const standin::Step& step);
  void Open();
  void Play(int32_t blocks);
  void Close();
  void JournalLog();

  const standin::StandInSetup& mSetup;
  vlcstandin::ModuleDescriptor mDescriptor;
  vlc_object_t* mOutput = nullptr;
  filter_t* mFilter = nullptr;
  bool mOpen = false;
  int64_t mNextBlock = 0;  // the next block's number since the filter opened
};

}  // namespace vlc_standin
