#include "testsupport/win/InstalledProduct.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "testsupport/win/WideText.h"

namespace {

constexpr wchar_t kMakerFolder[] = L"Novalume";

// Deletes the files of a folder and its subfolders, then the folders themselves.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

InstalledProduct::InstalledProduct(int supportKind, const std::wstring& product, Options options)
    : InstalledProduct([&] {
        options.supportKind = supportKind;
        options.product = product;
        return options;
      }()) {}

InstalledProduct::InstalledProduct(int supportKind, const std::wstring& product)
    : InstalledProduct(supportKind, product, Options()) {}

InstalledProduct::InstalledProduct(const Options& options) {
  const std::wstring support = SupportFolderOf(options.supportKind, options.forProcess);
  if (support.empty()) {
    ADD_FAILURE() << "no support folder of kind " << options.supportKind;
    mOk = false;
    return;
  }
  Remove(options);
  mFolder = FolderFor(options);
  MakeFolder(support);
  MakeFolder(support + L"\\" + kMakerFolder);
  MakeFolder(mFolder);
  MakeFolder(mFolder + L"\\Resources");
  if (options.engineTxt) {
    WriteFile(mFolder + L"\\Resources\\engine.txt", EngineText(options.product, options.libFile));
  }
  if (!options.libFileContent.empty()) {
    WriteFile(FileInFolder(options.libFile), options.libFileContent);
  }
  if (!options.engineSource.empty()) {
    CopyFromProgramFolder(options.engineSource, FileInFolder(options.engineFile.empty()
                                                                 ? options.libFile
                                                                 : options.engineFile));
  }
  for (const std::wstring& file : options.besideFiles) {
    CopyFromProgramFolder(file, FileInFolder(file));
  }
}

InstalledProduct::~InstalledProduct() {
  for (auto file = mMadeFiles.rbegin(); file != mMadeFiles.rend(); ++file) {
    SetFileAttributesW(file->c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file->c_str());
  }
  for (auto folder = mMadeFolders.rbegin(); folder != mMadeFolders.rend(); ++folder) {
    RemoveDirectoryW(folder->c_str());
  }
}

std::wstring InstalledProduct::FolderFor(const Options& options) {
  const std::wstring support = SupportFolderOf(options.supportKind, options.forProcess);
  return support.empty() ? std::wstring()
                         : support + L"\\" + kMakerFolder + L"\\" + options.product;
}

void InstalledProduct::Remove(const Options& options) {
  const std::wstring folder = FolderFor(options);
  if (folder.empty() || options.product.empty()) return;
  RemoveTree(folder);
  // Only an empty maker's folder goes; another product may be installed beside this one.
  RemoveDirectoryW(folder.substr(0, folder.find_last_of(L'\\')).c_str());
}

std::string InstalledProduct::EngineText(const std::wstring& product,
                                         const std::wstring& libFile) {
  return "REVISION = 1\nPRODUCT_NAME = \"" + Utf8(product) +
         "\"\nVERSION = 100\nVERSION_STR = \"1.0.0\"\nLIB = \"" + Utf8(libFile) + "\"\n";
}

void InstalledProduct::MakeFolder(const std::wstring& folder) {
  if (CreateDirectoryW(folder.c_str(), nullptr)) {
    mMadeFolders.push_back(folder);
  } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
    ADD_FAILURE() << "cannot make " << Utf8(folder);
    mOk = false;
  }
}

void InstalledProduct::WriteFile(const std::wstring& path, const std::string& content) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot write " << Utf8(path);
    mOk = false;
    return;
  }
  mMadeFiles.push_back(path);
  DWORD written = 0;
  const BOOL wrote = ::WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
  CloseHandle(file);
  if (!wrote || written != content.size()) {
    ADD_FAILURE() << "short write to " << Utf8(path);
    mOk = false;
  }
}

void InstalledProduct::CopyFromProgramFolder(const std::wstring& name,
                                             const std::wstring& target) {
  if (!CopyFileW(InProgramFolder(name).c_str(), target.c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy " << Utf8(name) << " to " << Utf8(target);
    mOk = false;
    return;
  }
  mMadeFiles.push_back(target);
}
