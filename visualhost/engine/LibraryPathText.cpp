// Folder and retry-name texts of engine library loading.
#include "visualhost/engine/LibraryPathText.h"

#include <cstring>

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Index one past the last separator in the first `length` bytes, or 0 without one.
int32_t NameStartOf(const char* text, int32_t length) {
  for (int32_t i = length; i > 0; --i) {
    if (IsSeparator(text[i - 1])) return i;
  }
  return 0;
}

bool StartsWithIgnoringCase(const char* text, int32_t length, const char* prefix) {
  const int32_t prefixLength = static_cast<int32_t>(std::strlen(prefix));
  if (length < prefixLength) return false;
  for (int32_t i = 0; i < prefixLength; ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

UtilStr LibraryFolderText(const UtilStr& path) {
  const char* text = path.Text();
  int32_t length = path.Length();
  if (length > 0 && IsSeparator(text[length - 1])) --length;
  const int32_t nameStart = NameStartOf(text, length);
  // The folder ends before the separator that precedes the name.
  length = nameStart > 0 ? nameStart - 1 : 0;

  UtilStr folder;
  if (StartsWithIgnoringCase(text, length, "\\\\?\\UNC\\")) {
    folder.Assign("\\\\");
    folder.Append(text + 8, length - 8);
  } else if (StartsWithIgnoringCase(text, length, "\\\\?\\")) {
    folder.Assign(text + 4, length - 4);
  } else {
    folder.Assign(text, length);
  }
  // A drive root keeps its separator ("C:\"); any longer folder loses a trailing one.
  if (folder.Length() > 3 && IsSeparator(folder.Text()[folder.Length() - 1])) {
    folder.RemoveLast(1);
  }
  return folder;
}

UtilStr ReplaceLibraryExtension(const UtilStr& path, const char* suffix) {
  const char* text = path.Text();
  const int32_t nameStart = NameStartOf(text, path.Length());
  int32_t cut = path.Length();
  for (int32_t i = path.Length(); i > nameStart; --i) {
    if (text[i - 1] == '.') {
      cut = i - 1;
      break;
    }
  }
  UtilStr result(text, cut);
  result.Append(suffix);
  return result;
}
