// Native stand-in: the system takes UTF-8 names directly. The Windows separator is turned into
// the native one so that a log folder given in either form works.
#include "utility/LogFileOpen.h"

#include <string>

std::FILE* OpenLogFileForAppend(const char* path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return std::fopen(native.c_str(), "a+");
}
