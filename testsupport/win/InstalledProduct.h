// A product installed the way the installer lays it out and the hosts search for it, inside
// the running (Wine) system:
//   <support folder>\Novalume\<product>\Resources\engine.txt
//   <support folder>\Novalume\<product>\<engine library named by LIB>
// The engine library and any further files are copied from the test program's own folder.
// engine.txt has the same lines scripts/install-engine writes. Everything the object made is
// removed when it goes; what an earlier, interrupted run left in the product folder is removed
// before anything is made.
#pragma once

#include <string>
#include <vector>

#include "testsupport/win/Folders.h"
#include "utility/NVFileSpec.h"

class InstalledProduct {
 public:
  struct Options {
    std::wstring product = L"Glimmora";
    int supportKind = SpecialFolderKind::kProgramFiles;
    // Whose search the product is laid out for: a 64-bit test starting a 32-bit program
    // installs for ProcessWidth::k32.
    ProcessWidth forProcess = ProcessWidth::kThis;
    std::wstring libFile = L"GlimmoraEngine.dll";       // the file LIB names
    std::wstring engineSource = L"GlimmoraEngine.dll";  // in the program's folder; empty: none
    std::wstring engineFile;     // the name the engine is copied under; empty: libFile
    std::string libFileContent;  // when not empty, libFile is this text instead of a library
    std::vector<std::wstring> besideFiles;  // copied from the program's folder under their names
    bool engineTxt = true;
  };

  explicit InstalledProduct(const Options& options);
  InstalledProduct(int supportKind, const std::wstring& product, Options options);
  InstalledProduct(int supportKind, const std::wstring& product);
  ~InstalledProduct();
  InstalledProduct(const InstalledProduct&) = delete;
  InstalledProduct& operator=(const InstalledProduct&) = delete;

  // Whether every folder and file could be made (each failure is also a test failure).
  bool ok() const { return mOk; }
  // "<support folder>\Novalume\<product>".
  const std::wstring& Folder() const { return mFolder; }
  std::wstring FileInFolder(const std::wstring& name) const { return mFolder + L"\\" + name; }

  // The product folder the options name.
  static std::wstring FolderFor(const Options& options);
  // Removes the product folder the options name with everything in it, and the maker's folder
  // when that is left empty.
  static void Remove(const Options& options);

  // The lines of engine.txt for the product and library, as scripts/install-engine writes them.
  static std::string EngineText(const std::wstring& product, const std::wstring& libFile);

 private:
  void MakeFolder(const std::wstring& folder);
  void WriteFile(const std::wstring& path, const std::string& content);
  void CopyFromProgramFolder(const std::wstring& name, const std::wstring& target);

  std::wstring mFolder;
  std::vector<std::wstring> mMadeFolders;
  std::vector<std::wstring> mMadeFiles;
  bool mOk = true;
};
