// Path texts derived while loading an engine library: the folder that becomes the current
// directory during the load, and the architecture-suffixed name tried when the first load fails.
#pragma once

#include <cstdint>

#include "utility/UtilStr.h"

// The suffix of this build's architecture that replaces a library's own extension on retry.
#if UINTPTR_MAX > 0xFFFFFFFFu
constexpr char kArchitectureLibrarySuffix[] = ".x64.dll";
#else
constexpr char kArchitectureLibrarySuffix[] = ".x86.dll";
#endif

// The folder part of a library path: a trailing separator and then the file name with the
// separator before it are dropped; the long-path prefixes are taken off ("\\?\UNC\" becomes
// "\\", "\\?\" goes); a separator that still ends a folder longer than a drive root goes too.
UtilStr LibraryFolderText(const UtilStr& path);

// The path with its file name cut at the name's last '.' and the suffix appended (the whole
// name is kept when it has no '.').
UtilStr ReplaceLibraryExtension(const UtilStr& path, const char* suffix);
