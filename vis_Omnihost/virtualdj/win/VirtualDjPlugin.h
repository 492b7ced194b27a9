// The plug-in object VirtualDJ holds: VirtualDJ's view of it first (its table of operations and
// the fields VirtualDJ writes), then the input-event object whose address the information
// operation hands out, the host, and the target record given to the engine with the device.
#pragma once

#include <cstdint>

#include "vis_Omnihost/virtualdj/VirtualDjRecords.h"
#include "vis_Omnihost/virtualdj/win/VirtualDjVisualHost.h"

namespace virtualdj {

// Passed to the engine with the device: 8 zero bytes, then the viewport's size last handed to
// the engine. A width and height of -1 force a new attach at the next draw.
struct TargetRecord {
  uint8_t zero[8];
  int32_t width;
  int32_t height;
};
static_assert(sizeof(TargetRecord) == 16);
static_assert(offsetof(TargetRecord, width) == 8);

struct PluginObject {
  Plugin face;  // first: VirtualDJ's pointer is the object's address
  InputEvents inputEvents;
  VirtualDjVisualHost* host = nullptr;  // from load on
  TargetRecord target = {{}, -1, -1};
};

// A new object without a host, its tables set.
PluginObject* NewPluginObject();

inline PluginObject* ObjectOf(Plugin* face) {
  return reinterpret_cast<PluginObject*>(face);
}
inline PluginObject* ObjectOf(InputEvents* events) {
  return events == nullptr ? nullptr
                           : reinterpret_cast<PluginObject*>(reinterpret_cast<char*>(events) -
                                                             offsetof(PluginObject, inputEvents));
}

// The input-event object's table (VirtualDjInputTable.cpp).
extern const InputEventsTable kInputEventsTable;

}  // namespace virtualdj
