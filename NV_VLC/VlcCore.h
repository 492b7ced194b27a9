// The calls this module makes into VLC's core library, behind one replaceable table.
//
// The portable module code reaches libvlccore only through VlcCore(). The plug-in itself fills
// the default table with libvlccore's own functions (module/NV_VLC.cpp); the native test
// program, which has no VLC core, supplies a default that fails the test on any call, and
// tests install tables of fakes with SetVlcCore for what they expect.
//
// Log lines are formatted by the module (see VlcLog.h) and handed over as finished text, so
// the table needs no variadic entry.
#pragma once

#include "NV_VLC/VlcHeaders.h"

struct VlcCoreCalls {
  // Object variables.
  int (*varCreate)(vlc_object_t* object, const char* name, int type);
  int (*varType)(vlc_object_t* object, const char* name);
  int (*varGetChecked)(vlc_object_t* object, const char* name, int type, vlc_value_t* value);
  int (*varInherit)(vlc_object_t* object, const char* name, int type, vlc_value_t* value);
  void (*varAddCallback)(vlc_object_t* object, const char* name, vlc_callback_t callback,
                         void* data);
  void (*varDelCallback)(vlc_object_t* object, const char* name, vlc_callback_t callback,
                         void* data);

  // The playlist's current input (held: release it with objectRelease) and its item.
  input_thread_t* (*playlistCurrentInput)(playlist_t* playlist);
  input_item_t* (*inputGetItem)(input_thread_t* input);
  const char* (*metaGet)(const vlc_meta_t* meta, vlc_meta_type_t type);
  void (*mutexLock)(vlc_mutex_t* mutex);
  void (*mutexUnlock)(vlc_mutex_t* mutex);
  void (*objectRelease)(vlc_object_t* object);

  // VLC's clock, in microseconds.
  mtime_t (*clock)();
  // One finished line to VLC's log on the object, as module "glimmora" and source NV_VLC.
  void (*log)(vlc_object_t* object, int priority, const char* function, const char* text);
};

// The table in use; DefaultVlcCore() unless a test installed another.
const VlcCoreCalls& VlcCore();
// libvlccore's own functions in the plug-in; a strict stand-in in test programs.
const VlcCoreCalls& DefaultVlcCore();
// Installs a table (null: the default) and returns the one it replaces. The table must stay
// alive while installed; VLC's threads and the session thread read it.
const VlcCoreCalls* SetVlcCore(const VlcCoreCalls* calls);
