// A Direct3D 9 device given as an "other" target. The host owns the device and presents it;
// the engine holds a reference while it is attached and only clears its render target.
#pragma once

#include <cstddef>
#include <cstdint>

struct IDirect3DDevice9;

namespace refengine {

class DeviceTarget {
 public:
  DeviceTarget() = default;
  DeviceTarget(const DeviceTarget&) = delete;
  DeviceTarget& operator=(const DeviceTarget&) = delete;
  ~DeviceTarget() { Detach(); }

  // Takes a reference on the target when it is a Direct3D 9 device and drops the one held
  // before. False (and nothing held) for anything else.
  bool Attach(void* target);
  void Detach();
  bool attached() const { return mDevice != nullptr; }

  // Clears the device's render target to 0x00RRGGBB. False when the device refuses.
  bool Clear(uint32_t rgb);

  // Whether the bytes at the address can be read (a host's extra record, say).
  static bool Readable(const void* address, size_t bytes);

 private:
  IDirect3DDevice9* mDevice = nullptr;
};

}  // namespace refengine
