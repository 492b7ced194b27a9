// What the players with COM-style interfaces (RealPlayer, VirtualDJ, Winamp's services) share
// with the system's component model: identifiers laid out as the system's GUID and the result
// codes the plug-in answers with. Declared here once so every player folder uses one layout.
#pragma once

#include <cstdint>

namespace omnihost {

// A class, interface or service identifier, laid out as the system's GUID.
struct Guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
static_assert(sizeof(Guid) == 16, "a GUID is 16 bytes in every build");

constexpr bool operator==(const Guid& a, const Guid& b) {
  if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.data4[i] != b.data4[i]) return false;
  }
  return true;
}

using ComResult = int32_t;  // HRESULT
namespace com_result {
constexpr ComResult kOk = 0;
constexpr ComResult kNotImplemented = ComResult(0x80004001u);
constexpr ComResult kNoInterface = ComResult(0x80004002u);
constexpr ComResult kPointer = ComResult(0x80004003u);
constexpr ComResult kFail = ComResult(0x80004005u);
constexpr ComResult kClassNotAvailable = ComResult(0x80040111u);
constexpr ComResult kInvalidArgument = ComResult(0x80070057u);
}  // namespace com_result

}  // namespace omnihost
