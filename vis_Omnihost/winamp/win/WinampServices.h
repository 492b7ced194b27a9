// The player's service objects that the Winamp host uses: the memory service, through which
// memory the player allocated is given back, and the album-art service.
#pragma once

#include <cstdint>

#include "vis_Omnihost/winamp/WinampRecords.h"

namespace winamp {

class PlayerServices {
 public:
  PlayerServices() = default;
  PlayerServices(const PlayerServices&) = delete;
  PlayerServices& operator=(const PlayerServices&) = delete;
  ~PlayerServices() { Release(); }

  // Takes both services from the player's service interface (message 3025 answer); an answer
  // of 0 or 1 means the player has none.
  void Acquire(void* serviceInterface);
  // Gives both back.
  void Release();

  bool HaveBoth() const { return mMemory != nullptr && mAlbumArt != nullptr; }
  bool HaveMemory() const { return mMemory != nullptr; }

  // The album art of a file as 32-bit pixels; false unless the service handled the call,
  // reported success and gave pixels of a positive size.
  bool GetAlbumArt(const char16_t* file, int32_t* width, int32_t* height, uint32_t** pixels);
  // Frees a block the player allocated.
  void Free(void* block);

 private:
  ServiceObject* mMemory = nullptr;
  ServiceObject* mAlbumArt = nullptr;
};

}  // namespace winamp
