#include "players/winamp/HandedBitmaps.h"

#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"

namespace winamp_standin {

void HandedBitmaps::Add(HGDIOBJ handle) {
  mHanded.push_back({handle, false});
}

void HandedBitmaps::Poll() {
  for (Handed& handed : mHanded) {
    if (handed.deleted || GetObjectType(handed.handle) != 0) continue;
    handed.deleted = true;
    refengine::JournalLine line(call::kBitmapDeleted);
    WriteJournal(line.Address("handle", handed.handle));
  }
}

void HandedBitmaps::Report() {
  Poll();
  for (const Handed& handed : mHanded) {
    refengine::JournalLine line(call::kBitmapAtEnd);
    WriteJournal(line.Address("handle", handed.handle).Number("deleted", handed.deleted ? 1 : 0));
  }
}

}  // namespace winamp_standin
