// The effect object NV_WMP: one object that embeds its COM interfaces, each an explicit table
// in the interface's order, and finds itself back from any of them.
//
// Interfaces, in the order QueryInterface answers them: INV_WMP and IDispatch (the primary
// interface, served from the type library), IWMPEvents (the player's event sink), IWMPEffects
// and IWMPEffects2 (one table). The object can be aggregated: then every interface but the
// inner IUnknown delegates its reference counting and queries to the controlling unknown.
//
// All objects of a process share one WmpVisualHost. Everything runs on the player's thread
// that created the object (apartment threading); no exception leaves a method.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <wmp.h>

#include <cstdint>

#include "NV_WMP/win/EffectInterfaces.h"

namespace wmp {

class WmpVisualHost;

struct EffectObject {
  // The interfaces first: an interface pointer is the address of one of these.
  IDispatch automation;
  IWMPEvents events;
  Effects effects;
  IUnknown inner;  // the non-delegating IUnknown an aggregating object holds

  LONG references;
  IUnknown* controlling;  // the aggregating object, or &inner

  HWND parent;
  bool fullscreen;
  bool inMediaCenter;
  int32_t settleFrames;
  int32_t attachCountdown;
  int32_t insetCountdown;
  const char* descriptor;
  WmpVisualHost* host;  // one counted reference, or null after the last Destroy handed it back
  IWMPCore* core;
  IConnectionPoint* connection;
  DWORD cookie;
};

// Creates an effect object (aggregated when outer is not null, in which case the interface
// asked for must be IUnknown) and answers the interface asked for.
HRESULT CreateEffectObject(IUnknown* outer, REFIID iid, void** out);

// The object of each interface pointer.
EffectObject* FromAutomation(IDispatch* self);
EffectObject* FromEvents(IWMPEvents* self);
EffectObject* FromEffects(Effects* self);
EffectObject* FromInner(IUnknown* self);

// The tables (EffectObject.cpp, EffectEvents.cpp, EffectMethods.cpp).
extern const IDispatchVtbl kAutomationTable;
extern const IWMPEventsVtbl kEventsTable;
extern const EffectsTable kEffectsTable;

// The delegating IUnknown every interface shares.
HRESULT ObjectQueryInterface(EffectObject* object, REFIID iid, void** out);
ULONG ObjectAddRef(EffectObject* object);
ULONG ObjectRelease(EffectObject* object);

// The shared host of the process (null when there is none).
WmpVisualHost* SharedHost();

// Event handling that the events and the effect methods share.
void ClearHostAudio(EffectObject* object);

}  // namespace wmp
