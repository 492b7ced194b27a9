// Installs test products the way the engine loader searches for them, inside the running
// (Wine) system, and removes them again.
#pragma once

#include <string>
#include <vector>

#include "refengine/RefEngineControl.h"

// The folder of one standard kind: 1 Program Files, 5 common files, 3 32-bit Program Files.
std::wstring SupportFolderOf(int kind);

// A product folder "<support>\Novalume\<product>" with the engine DLL under libFile and, unless
// told otherwise, "Resources\engine.txt" whose LIB names libFile. Everything made is removed
// when the object goes.
class InstalledProduct {
 public:
  struct Options {
    std::wstring libFile = L"GlimmoraEngine.dll";       // file named by LIB
    std::wstring engineSource = L"GlimmoraEngine.dll";  // DLL in the test's folder; empty: none
    std::wstring engineFile;     // name the engine is copied under; empty: libFile
    std::string libFileContent;  // when not empty, libFile is this text instead of a DLL
    bool engineTxt = true;
  };

  InstalledProduct(int supportKind, const std::wstring& product, const Options& options);
  InstalledProduct(int supportKind, const std::wstring& product)
      : InstalledProduct(supportKind, product, Options()) {}
  ~InstalledProduct();
  InstalledProduct(const InstalledProduct&) = delete;
  InstalledProduct& operator=(const InstalledProduct&) = delete;

  const std::wstring& Folder() const { return mFolder; }
  std::wstring FileInFolder(const std::wstring& name) const { return mFolder + L"\\" + name; }

 private:
  void MakeFolder(const std::wstring& folder);
  void WriteFile(const std::wstring& path, const std::string& content);
  void CopyFromTestFolder(const std::wstring& source, const std::wstring& target);

  std::wstring mFolder;
  std::vector<std::wstring> mMadeFolders;
  std::vector<std::wstring> mMadeFiles;
};

// The folder of the running test program, with a trailing backslash.
std::wstring TestProgramFolder();
std::string Utf8(const std::wstring& wide);
std::wstring CurrentDirectory();
// The reference engine's controls in a module loaded in this process; null if none.
const RefEngineControlApi* EngineControl(const std::wstring& modulePath);
