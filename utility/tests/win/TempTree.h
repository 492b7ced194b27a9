// A private folder under the system's temporary folder for one test, removed with everything
// in it afterwards, and small helpers that make files and folders in it with plain system
// calls (so the code under test is not used to prepare its own fixtures).
#pragma once

#include <windows.h>

#include <string>

#include "utility/NVFileSpec.h"

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const NVFileSpec& Root() const { return mRoot; }
  // The root's child by a relative path such as "a\\b.txt".
  NVFileSpec Child(const std::string& relative) const;

 private:
  NVFileSpec mRoot;
};

// The wide form, with room for paths up to the system's limit.
std::wstring WideOf(const NVFileSpec& spec);
bool MakeFolder(const NVFileSpec& spec);
bool WriteBytes(const NVFileSpec& spec, const std::string& bytes);
// The whole content, or "<missing>" when the file cannot be read.
std::string ReadBytes(const NVFileSpec& spec);
// Deletes a folder with everything in it.
void RemoveTree(const NVFileSpec& spec);
// A chain of new folders below root whose path is at least minimumLength bytes long.
NVFileSpec MakeDeepFolder(const NVFileSpec& root, int32_t minimumLength);
