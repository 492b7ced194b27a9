// The stand-in media center's automation object: an IDispatch whose method 35 hands out the
// visualization objects by name, registered under the media center's program identifier and in
// the running object table, or served by a class object for CoCreateInstance (then OleRun
// starts it through its IRunnableObject). Every call of method 35 and the last release are journaled.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "players/jriver/VisObjects.h"

namespace jriver_standin {

struct AutomationState {
  VisContent content;
  int32_t pendingChanges = 0;
  bool fail35 = false;
  bool zero35 = false;
  int32_t visDestroyed = 0;
  int32_t redrawDestroyed = 0;
  LONG references = 0;  // held by others than the player
  bool running = false;  // started by OleRun as a created server
};

// The automation object of the state (which outlives every use).
IDispatch* AutomationObject(AutomationState* state);

// Writes the program identifier's class key and registers the object as running; false when
// either fails. Revoke undoes both.
bool ServeAutomation(IDispatch* automation, DWORD* cookie);
void RevokeAutomation(DWORD cookie);

// Writes the program identifier's class key and registers a class object that creates the
// automation object (in this process, as an in-process server's class would), without a running
// object: the control must create and run the media center itself. RevokeClass undoes both.
bool ServeClass(IDispatch* automation, DWORD* cookie);
void RevokeClass(DWORD cookie);

}  // namespace jriver_standin
