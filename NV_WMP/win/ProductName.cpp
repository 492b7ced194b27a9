#include "NV_WMP/win/ProductName.h"

#include "NV_WMP/HostProcess.h"

namespace wmp {

namespace {

// The marker the product's build tools look for in the module; the name follows the dash.
const char kProductMarker[] = "DebugBreak-Glimmora\r\nNovalume Glimmora effect";
constexpr int kNameCapacity = 64;
char gProductName[kNameCapacity] = {};

}  // namespace

void FillProductName() {
  if (gProductName[0] != 0) return;
  ProductNameFromMarker(kProductMarker, gProductName, kNameCapacity);
}

const char* ProductName() {
  return gProductName;
}

}  // namespace wmp
