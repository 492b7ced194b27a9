// The player's service interface (message 3025) and the two services a visualization module
// gets through it: the memory service, which frees what the player allocated, and the album-art
// service, which gives the known picture's pixels in memory the player allocates. Each service
// is a ServiceObject whose table's one entry dispatches by message number; every dispatch is
// journaled, and one the player does not know as Unexpected.
//
// The plug-in calls these on its visualization thread; the record of outstanding pixel blocks
// is locked because the end report runs on the main thread.
#pragma once

#include <cstdint>
#include <mutex>
#include <set>

#include "players/winamp/StandInOptions.h"
#include "vis_Omnihost/winamp/WinampRecords.h"

namespace winamp_standin {

class PlayerServices;

// One service object as the plug-in sees it, and the player behind it.
struct PlayerService {
  winamp::ServiceObject object;  // first: the plug-in's pointer is this record's address
  const char* name;
  PlayerServices* owner;
};

class PlayerServices {
 public:
  explicit PlayerServices(ArtServiceKind artKind);
  PlayerServices(const PlayerServices&) = delete;
  PlayerServices& operator=(const PlayerServices&) = delete;

  // What 3025 answers.
  winamp::ServiceObject* Interface() { return &mInterface.object; }

  // Journals the pixel blocks handed out and never freed; frees them.
  void Report();

  // The dispatches, one per object.
  int32_t DispatchInterface(int32_t message, void* result, void** params, int32_t count);
  int32_t DispatchMemory(int32_t message, void* result, void** params, int32_t count);
  int32_t DispatchAlbumArt(int32_t message, void* result, void** params, int32_t count);

 private:
  int32_t GiveAlbumArt(void* result, void** params);
  uint32_t* NewPixels();

  ArtServiceKind mArtKind;
  PlayerService mInterface;
  PlayerService mMemory;
  PlayerService mAlbumArt;
  std::mutex mLock;
  std::set<void*> mOutstanding;
};

}  // namespace winamp_standin
