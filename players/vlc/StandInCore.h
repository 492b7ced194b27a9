// The stand-in VLC core: a libvlccore.dll of our own that answers the calls the VLC module
// makes (objects with parents and types, variables with callbacks, the playlist's input and
// its item, metadata under the item's lock, a clock the scenario drives, a log it keeps) and
// exports these controls, with which a scenario plays VLC's part.
#pragma once

#include <stdint.h>

#include "NV_VLC/VlcHeaders.h"

extern "C" {
// A zero-filled object of `size` bytes (at least the common members) with its type and
// parent; it lives until StandIn_Reset.
vlc_object_t* StandIn_NewObject(const char* type, vlc_object_t* parent, size_t size);
// An input item with a name and no metadata.
input_item_t* StandIn_NewItem(const char* name);
// Sets the item's metadata text of the type (null removes it).
void StandIn_SetMeta(input_item_t* item, int type, const char* text);

// Creates the variable if needed, sets it and runs its callbacks, as var_Set does.
void StandIn_SetInteger(vlc_object_t* object, const char* name, int64_t value);
void StandIn_SetFloat(vlc_object_t* object, const char* name, float value);
void StandIn_SetString(vlc_object_t* object, const char* name, const char* value);
void StandIn_SetAddress(vlc_object_t* object, const char* name, void* value);
// Creates a variable of the type without running callbacks.
void StandIn_CreateVariable(vlc_object_t* object, const char* name, int type);
// An option var_Inherit finds when no object on the way up has the variable.
void StandIn_SetOption(const char* name, int type, int64_t value);
int32_t StandIn_CallbackCount(vlc_object_t* object, const char* name);

// What playlist_CurrentInput answers (held: released with vlc_object_release), and its item.
void StandIn_SetCurrentInput(vlc_object_t* input, input_item_t* item);
// Holds of the current input taken and not yet released.
int32_t StandIn_InputHolds(void);

// mdate(): microseconds.
void StandIn_SetClock(int64_t microseconds);
// From now on mdate() is the system's tick count (GetTickCount64, the reference engine's
// clock) in microseconds; StandIn_SetClock or a reset go back to the driven clock.
void StandIn_FollowRealTime(void);
// The clock at each input_GetItem call (the module's metadata polls), oldest first; -1 when
// there is no such call.
int32_t StandIn_ItemReadCount(void);
int64_t StandIn_ItemReadTime(int32_t index);

// Arms a float variable to be set (its callbacks run) inside the module's next log line from
// `function`, on the thread that writes it. Afterwards, the thread it ran on and how long the
// setting took in milliseconds (0 and -1 until it ran).
void StandIn_SetFloatInLogOf(const char* function, vlc_object_t* object, const char* name,
                             float value);
uint32_t StandIn_SetInLogThread(void);
int64_t StandIn_SetInLogMs(void);

// The log: "<priority> <function>: <text>" per line.
int32_t StandIn_LogCount(void);
// Copies line `index`, cut to fit; its full length, or -1 when there is none.
int32_t StandIn_LogLine(int32_t index, char* buffer, int32_t size);

// Forgets objects, variables, options, the input, the item reads, the log and an armed set;
// the clock goes back to a driven 1 s.
void StandIn_Reset(void);
}
