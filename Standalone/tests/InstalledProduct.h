// The product as the installer lays it out in the support folder of this (Wine) machine:
// Novalume\Glimmora\Resources\engine.txt naming an engine library copied beside it. The
// files go again when the object does.
#pragma once

#include <string>
#include <vector>

class InstalledProduct {
 public:
  // Copies the named files from the test program's own folder and writes engine.txt with LIB
  // set to `libraryName`.
  InstalledProduct(const std::vector<std::string>& files, const std::string& libraryName);
  ~InstalledProduct();
  InstalledProduct(const InstalledProduct&) = delete;
  InstalledProduct& operator=(const InstalledProduct&) = delete;

  bool ok() const { return mOk; }

  // "<Program Files>\Novalume\Glimmora".
  static std::string ProductFolder();
  // Removes whatever a previous run left there.
  static void Remove();

 private:
  bool mOk = false;
};

// The folder the test program runs from (the build tree's bin folder), with a trailing
// backslash.
std::string ProgramFolder();
