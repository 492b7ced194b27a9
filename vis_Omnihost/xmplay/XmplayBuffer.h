// The player's pixel buffer as the engine's drawing target.
//
// The player hands its pixels with every render. The engine keeps the buffer it was given, so
// the buffer is handed over again only when it changes: a new size, or a new pixel address at
// the same size (the player may free the old buffer then, and drawing into it would corrupt the
// player's memory), or when the host asks for a renewal (a new engine instance). A buffer the
// engine could not draw into safely (no pixels, no area, rows shorter than the width, a row
// length beyond 32 bits) is refused and leaves the target as it was.
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"

namespace xmplay {

enum class BufferChange {
  kSame,     // the engine's target is this buffer already
  kAttach,   // the descriptor now describes this buffer; hand it to the engine
  kRefused,  // unusable; nothing changed, and the engine must not draw this frame
};

class BufferTarget {
 public:
  constexpr BufferTarget() = default;

  // The next buffer is handed over whatever it is.
  void Renew() { mRenew = true; }
  // Compares the frame's buffer (pitch in pixels) with the one handed over last.
  BufferChange Take(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch);
  // The description of the buffer handed over last.
  const PixelBufferDesc& Descriptor() const { return mDescriptor; }

 private:
  PixelBufferDesc mDescriptor = {};
  bool mRenew = true;
};

}  // namespace xmplay
