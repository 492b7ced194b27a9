// The reference engine as the tests use it in their own process: the DLL beside the test
// program, its test controls, and an engine library that binds it without any product search.
#pragma once

#include <string>

#include "refengine/RefEngineControl.h"
#include "visualhost/engine/EngineLibrary.h"

// The reference engine in the test program's own folder.
std::wstring ReferenceEnginePath();
// The controls of the reference engine loaded from that path in this process; null when it
// is not loaded (or is no reference engine).
const RefEngineControlApi* EngineControl(const std::wstring& modulePath);
// An engine library whose loader binds the reference engine beside the test program, whatever
// the product name. Owned by the caller (one reference).
EngineLibrary* NewReferenceEngineLibrary();
