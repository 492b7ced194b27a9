// The native form of a file spec's path: the same text with the Windows separator that
// SetChild joins with turned into the native one.
#pragma once

#include <string>

#include "utility/NVFileSpec.h"

inline std::string NativePath(const NVFileSpec& spec) {
  std::string path(spec.Text(), static_cast<size_t>(spec.Path().Length()));
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}
