#pragma once
// Registration of an in-process COM server through its own registrar script, for
// DllRegisterServer and DllUnregisterServer: the module's REGISTRY resource (ANSI text in the
// registrar's script language) is run through the system's registrar (RegistrarInterface.h)
// with %MODULE% replaced by the module's path. Unregistering runs the same script backwards:
// ForceRemove and unflagged keys go with their subkeys, NoRemove keys stay.
//
// The registrar needs a single-threaded apartment: the calling thread's when it has none yet or
// is in one, otherwise a short-lived thread of its own. Nothing here throws.
#include <windows.h>

// Runs the REGISTRY resource `resource_id` of `module`: registers when `install` is true,
// unregisters otherwise. Returns the registrar's HRESULT, or the failure to find the module's
// path, to enter an apartment or to create the registrar.
HRESULT RunRegistrationScript(HMODULE module, UINT resource_id, bool install);
